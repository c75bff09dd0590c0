// The guard that panorela-host starts with each activation: a host that dies
// while active gets the IDE's windows brought back by its guard; a clean end
// stops the guard without it touching anything.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

// Every panorela-host.exe process but the resident host: the guards.
std::vector<DWORD> Guards() {
    DWORD resident = 0;
    if (HWND wnd = FindHostWindow()) GetWindowThreadProcessId(wnd, &resident);
    std::vector<DWORD> guards;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "panorela-host.exe") == 0 && entry.th32ProcessID != resident) {
            guards.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return guards;
}

void Kill(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    TerminateProcess(process, 9);
    WaitForSingleObject(process, Slowed(5000));
    CloseHandle(process);
}

class HostGuard : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(ide.Started());
        main = FindAppBuilder();
        inspector = FindInspector();
        ASSERT_EQ(RunHost("set toolbar on").exitCode, 0u);
        ASSERT_EQ(RunHost("set inspector on").exitCode, 0u);
        const HostRun on = RunHost("activate");
        ASSERT_EQ(on.exitCode, 0u) << on.err;
        ASSERT_EQ(WindowRect(main).top, -95);
        ASSERT_EQ(WindowRect(inspector).left, -195);
        ASSERT_EQ(Guards().size(), 1u);  // armed before "activate" returns
        HWND wnd = FindHostWindow();
        ASSERT_NE(wnd, nullptr);
        GetWindowThreadProcessId(wnd, &resident);
    }
    void TearDown() override {
        HostTest::TearDown();
        for (DWORD guard : Guards()) Kill(guard);
        if (state && state->HooksActive) host.UnHookHooks(true);
    }
    bool BothShown() const {
        return state->HooksActive == 0 && WindowRect(main).top == 0 && WindowRect(inspector).left == 0;
    }

    StandIn ide;
    HWND main = nullptr;
    HWND inspector = nullptr;
    DWORD resident = 0;
};

TEST_F(HostGuard, HostKilledWhileBothAreHiddenBringsBothBack) {
    Kill(resident);
    const DWORD died = GetTickCount();
    EXPECT_TRUE(WaitFor([&] { return BothShown(); }, 1000))
        << "HooksActive " << int(state->HooksActive) << ", main top " << WindowRect(main).top
        << ", inspector left " << WindowRect(inspector).left;
    printf("both windows shown %lu ms after the host's death\n",
           static_cast<unsigned long>(GetTickCount() - died));
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_TRUE(WaitFor([] { return Guards().empty(); }));
}

TEST_F(HostGuard, DeactivateAndQuitEndTheGuardWithoutItActing) {
    ASSERT_EQ(RunHost("deactivate").exitCode, 0u);
    EXPECT_TRUE(Guards().empty());
    ASSERT_EQ(RunHost("activate").exitCode, 0u);
    EXPECT_EQ(Guards().size(), 1u);
    ASSERT_EQ(RunHost("quit").exitCode, 0u);
    EXPECT_TRUE(Guards().empty());
    // Whatever moves the windows now is nobody's: the guard has gone.
    SetWindowPos(main, nullptr, 0, -50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(1000);
    EXPECT_EQ(WindowRect(main).top, -50);
}

TEST_F(HostGuard, KilledGuardLeavesTheHostWorking) {
    Kill(Guards().at(0));
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_EQ(WindowRect(main).top, -95);
    const HostRun off = RunHost("deactivate");
    EXPECT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_TRUE(BothShown());
}

TEST_F(HostGuard, NewHostStartedAtOnceIsNotUndoneByTheOldGuard) {
    Kill(resident);
    const HostRun on = RunHost("activate");
    EXPECT_EQ(on.exitCode, 0u) << on.err;
    // Long enough for the old guard to have acted, had it been going to.
    PumpFor(1500);
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_EQ(WindowRect(main).top, -95);
    EXPECT_EQ(WindowRect(inspector).left, -195);
    EXPECT_EQ(Guards().size(), 1u);  // the new host's own
}

TEST_F(HostGuard, TakeoverWhileTheOldGuardWaitsForItsTurnIsKept) {
    HANDLE turn = CreateMutexA(nullptr, FALSE, "PANORELA_ACTIVATION_4.0");
    ASSERT_EQ(WaitForSingleObject(turn, 0), WAIT_OBJECT_0);
    Kill(resident);
    // What a host that takes over does, while the old guard waits for the turn.
    ASSERT_TRUE(host.UnHookHooks(false));
    ASSERT_TRUE(host.SetHooks());
    const uint32_t ours = state->MouseHook;
    ReleaseMutex(turn);
    CloseHandle(turn);
    EXPECT_TRUE(WaitFor([] { return Guards().empty(); }));
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_EQ(state->MouseHook, ours);
    EXPECT_EQ(WindowRect(main).top, -95);
    EXPECT_EQ(WindowRect(inspector).left, -195);
}

}  // namespace
