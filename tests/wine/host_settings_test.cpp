// panorela-host remembers its four settings in its own file and puts them
// back into the shared block when it starts.
#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"

namespace {

struct SettingCase {
    const char* word;
    const char* key;
    uint8_t SharedState::*field;
};

const SettingCase kSettings[] = {
    {"toolbar", "ToolBarHiding", &SharedState::ToolBarHiding},
    {"inspector", "ObjInspHiding", &SharedState::ObjInspHiding},
    {"fullheight", "InspectorFullHeight", &SharedState::InspectorFullHeight},
    {"hidewhenactive", "HideInspectorWhenActive", &SharedState::HideInspectorWhenActive},
};

class HostSettings : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(state->HooksActive, 0);
        ClearBlock();
    }
    void TearDown() override {
        HostTest::TearDown();
        if (state) ClearBlock();
    }
    void ClearBlock() {
        for (const SettingCase& setting : kSettings) state->*setting.field = 0;
    }
};

TEST_F(HostSettings, SetWritesTheFileAndTheBlock) {
    for (const SettingCase& setting : kSettings) {
        const HostRun on = RunHost(std::string("set ") + setting.word + " on");
        ASSERT_TRUE(on.finished);
        EXPECT_EQ(on.exitCode, 0u) << on.err;
        EXPECT_EQ(on.out, std::string(setting.key) + " = 1\n");
        EXPECT_EQ(IniValue(settings, setting.key), 1) << setting.key;
        EXPECT_EQ(state->*setting.field, 1) << setting.key;
    }
    // Switching one off leaves the others on.
    const HostRun off = RunHost("set inspector OFF");
    EXPECT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_EQ(off.out, "ObjInspHiding = 0\n");
    EXPECT_EQ(IniValue(settings, "ObjInspHiding"), 0);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(IniValue(settings, "ToolBarHiding"), 1);
    EXPECT_EQ(IniValue(settings, "InspectorFullHeight"), 1);
    EXPECT_EQ(IniValue(settings, "HideInspectorWhenActive"), 1);
}

TEST_F(HostSettings, StartingTheHostPutsTheSavedSettingsBackIntoTheBlock) {
    ASSERT_TRUE(WritePrivateProfileStringA("Panorela", "ToolBarHiding", "1", settings.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Panorela", "ObjInspHiding", "0", settings.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Panorela", "InspectorFullHeight", "1", settings.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Panorela", "HideInspectorWhenActive", "1", settings.c_str()));
    state->ObjInspHiding = 1;  // the file says 0: the host must clear it

    HANDLE process = StartHost("--tray");
    ASSERT_NE(process, nullptr);
    HWND wnd = WaitForHostWindow(10000, process);
    ASSERT_NE(wnd, nullptr);
    // Settings are applied before the window is created.
    EXPECT_EQ(state->ToolBarHiding, 1);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(state->InspectorFullHeight, 1);
    EXPECT_EQ(state->HideInspectorWhenActive, 1);
    Sleep(Slowed(500));
    EXPECT_FALSE(IsWindowVisible(wnd));  // --tray starts without showing the window

    const HostRun quit = RunHost("quit");
    EXPECT_EQ(quit.exitCode, 0u);
    EXPECT_EQ(quit.out, "Panorela host ended\n");
    EXPECT_EQ(WaitForSingleObject(process, Slowed(10000)), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process);
}

TEST_F(HostSettings, SetGoesThroughTheRunningHostWhichSavesIt) {
    HANDLE process = StartHost("--tray");
    ASSERT_NE(process, nullptr);
    HWND wnd = WaitForHostWindow(10000, process);
    ASSERT_NE(wnd, nullptr);
    const HostRun run = RunHost("set hidewhenactive on");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out, "HideInspectorWhenActive = 1\n");
    EXPECT_EQ(state->HideInspectorWhenActive, 1);
    EXPECT_EQ(IniValue(settings, "HideInspectorWhenActive"), 1);
    // The running host's check box shows it too.
    EXPECT_EQ(SendMessageA(GetDlgItem(wnd, 104), BM_GETCHECK, 0, 0), BST_CHECKED);
    RunHost("quit");
    WaitForSingleObject(process, Slowed(10000));
    CloseHandle(process);
}

TEST_F(HostSettings, CheckBoxesOfTheWindowChangeTheBlockAndTheFile) {
    HANDLE process = StartHost("");
    ASSERT_NE(process, nullptr);
    HWND wnd = WaitForHostWindow(10000, process);
    ASSERT_NE(wnd, nullptr);
    HWND fullHeight = GetDlgItem(wnd, 103);
    ASSERT_NE(fullHeight, nullptr);
    EXPECT_EQ(SendMessageA(fullHeight, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ClickButton(fullHeight);
    EXPECT_EQ(SendMessageA(fullHeight, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(state->InspectorFullHeight, 1);
    EXPECT_EQ(IniValue(settings, "InspectorFullHeight"), 1);
    ClickButton(fullHeight);
    EXPECT_EQ(state->InspectorFullHeight, 0);
    EXPECT_EQ(IniValue(settings, "InspectorFullHeight"), 0);
    RunHost("quit");
    WaitForSingleObject(process, Slowed(10000));
    CloseHandle(process);
}

TEST_F(HostSettings, UnwritableSettingsFileIsReported) {
    // A directory cannot be made below a plain file.
    const std::string plainFile = TempPath("pnr_plain_" + std::to_string(GetCurrentProcessId()));
    HANDLE file = CreateFileA(plainFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::string unwritable = plainFile + "\\sub\\panorela.ini";
    SetEnvironmentVariableA("PANORELA_SETTINGS", unwritable.c_str());
    const HostRun run = RunHost("set fullheight on");
    SetEnvironmentVariableA("PANORELA_SETTINGS", settings.c_str());
    DeleteFileA(plainFile.c_str());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 7u);
    EXPECT_EQ(run.err, "panorela-host: cannot write the settings file " + unwritable + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(state->InspectorFullHeight, 0);
}

}  // namespace
