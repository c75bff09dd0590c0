// panorela-host activating and deactivating the library against the
// stand-in IDE: the IDE's windows really move, and leaving the host brings
// them back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host_fixture.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

RECT RectOf(HWND wnd) {
    RECT rect = {};
    GetWindowRect(wnd, &rect);
    return rect;
}

class HostActivation : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(state->HooksActive, 0);
    }
    void Set(const char* setting, bool on) {
        const HostRun run = RunHost(std::string("set ") + setting + (on ? " on" : " off"));
        ASSERT_EQ(run.exitCode, 0u) << run.err;
    }
};

TEST_F(HostActivation, WithoutTheIdeActivationIsRefusedAndNoHostStaysBehind) {
    const HostRun run = RunHost("activate");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_EQ(run.err, "panorela-host: activation refused: the IDE main window (TAppBuilder) was not found\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(FindHostWindow(), nullptr);
}

TEST_F(HostActivation, ActivateHidesBothWindowsAndDeactivateBringsThemBack) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    HWND appBuilder = FindAppBuilder();
    HWND inspector = FindInspector();
    ASSERT_NE(appBuilder, nullptr);
    ASSERT_NE(inspector, nullptr);
    Set("toolbar", true);
    Set("inspector", true);

    const HostRun on = RunHost("activate");
    ASSERT_TRUE(on.finished);
    EXPECT_EQ(on.exitCode, 0u) << on.err;
    EXPECT_EQ(on.out, "Panorela is active\n");
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_NE(state->MouseHook, 0u);
    ASSERT_NE(FindHostWindow(), nullptr);  // the host keeps the hooks, in the tray
    EXPECT_FALSE(IsWindowVisible(FindHostWindow()));

    // The main window (1024 x 100) slides up until its bottom is at y = 5; the
    // inspector (200 wide at x = 0) slides off the left edge, 5 pixels showing.
    RECT main = RectOf(appBuilder);
    EXPECT_EQ(main.top, -95);
    EXPECT_EQ(main.bottom, 5);
    RECT insp = RectOf(inspector);
    EXPECT_EQ(insp.left, -195);
    EXPECT_EQ(insp.right, 5);

    const HostRun off = RunHost("deactivate");
    EXPECT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_EQ(off.out, "Panorela is inactive\n");
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    main = RectOf(appBuilder);
    EXPECT_EQ(main.top, 0);
    EXPECT_EQ(main.bottom, 100);
    // Shown again below the main window, down to the work area's bottom.
    insp = RectOf(inspector);
    EXPECT_EQ(insp.left, 0);
    EXPECT_EQ(insp.top, 100);
    EXPECT_EQ(insp.bottom, state->WorkBottom);
    // Deactivating keeps the host (and its settings) running.
    EXPECT_NE(FindHostWindow(), nullptr);
}

TEST_F(HostActivation, QuittingTheHostUnhooksAndRestoresTheWindows) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    HWND appBuilder = FindAppBuilder();
    Set("toolbar", true);
    Set("inspector", false);
    ASSERT_EQ(RunHost("activate").exitCode, 0u);
    ASSERT_EQ(RectOf(appBuilder).top, -95);
    EXPECT_EQ(RectOf(FindInspector()).left, 0);  // mode off: placed shown

    const HostRun quit = RunHost("quit");
    EXPECT_EQ(quit.exitCode, 0u);
    EXPECT_EQ(quit.out, "Panorela host ended\n");
    EXPECT_EQ(FindHostWindow(), nullptr);
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(state->CallWndProcHook, 0u);
    EXPECT_EQ(state->GetMessageHook, 0u);
    EXPECT_EQ(RectOf(appBuilder).top, 0);
    // The modes stay remembered for the next run.
    EXPECT_EQ(IniValue(settings, "ToolBarHiding"), 1);
}

TEST_F(HostActivation, TakesOverFromAHostThatEndedWhileActive) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    // Another host activated the library and is gone; on Windows the system
    // removed its hooks with its thread, and the block still says active.
    ASSERT_NE(ide.Command("load"), 0);
    ASSERT_EQ(ide.Call(kSetHooks) & 0xFF, 1u);
    state->MouseHook = 0x7FFE1234;  // a hook that no longer exists
    Set("toolbar", true);

    const HostRun run = RunHost("activate");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_NE(state->MouseHook, 0x7FFE1234u);  // hooks of its own
    EXPECT_NE(state->MouseHook, 0u);
    EXPECT_EQ(RectOf(FindAppBuilder()).top, -95);
}

TEST_F(HostActivation, SecondActivateReusesTheRunningHost) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    ASSERT_EQ(RunHost("activate").exitCode, 0u);
    HWND first = FindHostWindow();
    ASSERT_NE(first, nullptr);
    const uint32_t mouseHook = state->MouseHook;
    const HostRun again = RunHost("activate");
    EXPECT_EQ(again.exitCode, 0u) << again.err;
    EXPECT_EQ(FindHostWindow(), first);
    EXPECT_EQ(state->MouseHook, mouseHook);  // no second set of hooks
}

TEST_F(HostActivation, WindowButtonsActivateAndDeactivate) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    Set("toolbar", true);
    HANDLE process = StartHost("");
    ASSERT_NE(process, nullptr);
    HWND wnd = WaitForHostWindow(10000, process);
    ASSERT_NE(wnd, nullptr);
    ClickButton(GetDlgItem(wnd, 201));
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_EQ(RectOf(FindAppBuilder()).top, -95);
    char status[256] = {};
    GetWindowTextA(GetDlgItem(wnd, 301), status, sizeof status);
    EXPECT_NE(std::string(status).find("Panorela: active"), std::string::npos) << status;
    ClickButton(GetDlgItem(wnd, 202));
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(RectOf(FindAppBuilder()).top, 0);
    RunHost("quit");
    WaitForSingleObject(process, Slowed(10000));
    CloseHandle(process);
}

// Another process holds the activation lock (as a guard restoring the
// windows of a hung IDE would): the resident host waits for it, and its
// window answers all the while, for its thread runs the hooks' procedures
// for programs of the other bitness. Once the lock is free the activation
// completes.
TEST_F(HostActivation, WaitingForTheActivationLockKeepsTheWindowAnswering) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    HANDLE resident = StartHost("--tray");
    ASSERT_NE(resident, nullptr);
    HWND wnd = WaitForHostWindow(10000, resident);
    CloseHandle(resident);
    ASSERT_NE(wnd, nullptr);
    HANDLE lock = CreateMutexA(nullptr, FALSE, "PANORELA_ACTIVATION_4.0");
    ASSERT_EQ(WaitForSingleObject(lock, 0), WAIT_OBJECT_0);

    HANDLE activate = StartHost("activate");
    ASSERT_NE(activate, nullptr);
    const auto status = [&] {
        char text[512] = {};
        GetWindowTextA(GetDlgItem(wnd, 301), text, sizeof text);
        return std::string(text);
    };
    EXPECT_TRUE(WaitFor([&] { return status().find("waiting for the activation lock") != std::string::npos; }))
        << status();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    int probes = 0;
    int answered = 0;
    double slowestMs = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < Slowed(1500)) {
        LARGE_INTEGER before, after;
        QueryPerformanceCounter(&before);
        DWORD_PTR result = 0;
        const bool answer = SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, Slowed(100), &result) != 0;
        QueryPerformanceCounter(&after);
        const double ms = 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        ++probes;
        if (answer) ++answered;
        if (ms > slowestMs) slowestMs = ms;
        Sleep(10);
    }
    printf("while the lock was held: %d of %d WM_NULL probes answered, the slowest in %.2f ms\n", answered,
           probes, slowestMs);
    EXPECT_EQ(answered, probes);
    EXPECT_GT(probes, 10);
    EXPECT_EQ(WaitForSingleObject(activate, 0), static_cast<DWORD>(WAIT_TIMEOUT));  // "activate" still waits
    EXPECT_EQ(state->HooksActive, 0);

    ReleaseMutex(lock);
    CloseHandle(lock);
    EXPECT_EQ(WaitForSingleObject(activate, Slowed(20000)), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(activate, &exitCode);
    CloseHandle(activate);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_EQ(status().find("waiting"), std::string::npos) << status();
}

}  // namespace
