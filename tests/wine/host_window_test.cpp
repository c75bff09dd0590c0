// panorela-host's settings window: its class, its controls, and a host that
// keeps running when the window is closed.
#include <gtest/gtest.h>

#include <string>

#include "host_program.h"

namespace {

std::string Text(HWND wnd) {
    char text[256] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

class HostWindow : public ::testing::Test {
protected:
    void SetUp() override {
        settings = UsePrivateSettingsFile();
        EndRunningHost();
    }
    void TearDown() override {
        EndRunningHost();
        if (process) CloseHandle(process);
        DeleteFileA(settings.c_str());
    }
    HWND Start(const std::string& arguments) {
        process = StartHost(arguments);
        return process ? WaitForHostWindow(10000, process) : nullptr;
    }
    std::string settings;
    HANDLE process = nullptr;
};

TEST_F(HostWindow, NoCommandOpensTheSettingsWindowOfClassTfrmPanorela) {
    HWND wnd = Start("");
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(ClassOf(wnd), "TfrmPanorela");  // exact case: the library compares it so
    EXPECT_EQ(Text(wnd), "Panorela 4.0.0");
    EXPECT_TRUE(WaitUntilVisible(wnd));
    const struct {
        int id;
        const char* text;
    } controls[] = {
        {101, "Hide the IDE main window (menu and tool bars)"},
        {102, "Hide the object inspector"},
        {103, "Give the inspector the full screen height"},
        {104, "Hide the inspector even while it is active"},
        {201, "&Activate"},
        {202, "&Deactivate"},
        {203, "E&xit"},
    };
    for (const auto& control : controls) {
        HWND child = GetDlgItem(wnd, control.id);
        ASSERT_NE(child, nullptr) << control.text;
        EXPECT_EQ(Text(child), control.text);
        EXPECT_EQ(ClassOf(child), "Button");
    }
    const std::string status = Text(GetDlgItem(wnd, 301));
    EXPECT_NE(status.find("IDE: not found"), std::string::npos) << status;
    EXPECT_NE(status.find("Panorela: inactive"), std::string::npos) << status;
    EXPECT_NE(status.find(settings), std::string::npos) << status;
    // Nothing to deactivate while inactive.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(wnd, 201)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wnd, 202)));
}

TEST_F(HostWindow, ClosingTheWindowKeepsTheHostRunning) {
    HWND wnd = Start("");
    ASSERT_NE(wnd, nullptr);
    ASSERT_TRUE(WaitUntilVisible(wnd));
    SendMessageA(wnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(WaitForSingleObject(process, Slowed(1000)), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(FindHostWindow(), wnd);

    const HostRun status = RunHost("status");
    EXPECT_NE(status.out.find("host = running\n"), std::string::npos) << status.out;

    const HostRun quit = RunHost("quit");
    EXPECT_EQ(quit.exitCode, 0u);
    EXPECT_EQ(quit.out, "Panorela host ended\n");
    ASSERT_EQ(WaitForSingleObject(process, Slowed(10000)), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindHostWindow(), nullptr);
}

TEST_F(HostWindow, SecondStartShowsTheRunningHostInsteadOfAnotherOne) {
    HWND wnd = Start("--tray");
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(wnd));
    const HostRun second = RunHost("", 10000);
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(WaitUntilVisible(wnd));
    EXPECT_EQ(FindHostWindow(), wnd);
    EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(HostWindow, ExitButtonEndsTheHost) {
    HWND wnd = Start("");
    ASSERT_NE(wnd, nullptr);
    ClickButton(GetDlgItem(wnd, 203));
    ASSERT_EQ(WaitForSingleObject(process, Slowed(10000)), WAIT_OBJECT_0);
    EXPECT_EQ(FindHostWindow(), nullptr);
}

}  // namespace
