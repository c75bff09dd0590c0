// Churn: while the hooks are active and the pointer moves, many processes
// load and unload the library. Each load opens the existing block and each
// unload closes its own view; none may change a field that only the host or
// the library's own operations write, and the hooks must work afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host.h"
#include "pointer.h"
#include "program.h"
#include "stand_in.h"

namespace {

constexpr int kProcesses = 24;
constexpr int kLoadsEach = 40;

// Bytes that neither loading nor unloading, nor a mouse move with no button
// down, may change: the host's fields and settings, the reserved bytes, and
// the library's own state apart from IdleMark (cleared on every move).
std::vector<int> StableBytes() {
    std::vector<int> bytes;
    for (int i = 0; i < PNR_MAP_SIZE; ++i) {
        if (i == 588) continue;  // IdleMark
        bytes.push_back(i);
    }
    return bytes;
}

TEST(Churn, LoadsAndUnloadsWhileActiveChangeNothingAndTheHooksGoOnWorking) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    ASSERT_NE(ide.Command("backdrop"), 0);
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    GetAsyncKeyState(VK_RBUTTON);  // clear a right press left by an earlier program
    ASSERT_TRUE(MovePointer(500, 300));

    state->InspectorFullHeight = 0;
    state->HideInspectorWhenActive = 1;
    state->ToolBarHiding = 1;
    state->ObjInspHiding = 1;
    ASSERT_TRUE(host.SetHooks());
    HWND main = FindAppBuilder();
    ASSERT_TRUE(WaitFor([&] { return WindowRect(main).bottom == 5; }));

    // The host's fields get values of its own once the hooks have been
    // loaded into the processes they reach; the library's fields are live.
    state->HostFlagA = 0x5A;
    state->HostFlagB = 0xA5;
    state->HostValue = 0x12345678;
    memset(state->HostString1.Text + 1, 'x', 255);
    memset(state->HostString2.Text + 1, 'y', 255);
    state->HostString1.Text[0] = 200;
    state->HostString2.Text[0] = 100;
    memset(state->Reserved604, 0xC3, sizeof state->Reserved604);
    state->Reserved0 = 0xDEADBEEF;

    std::vector<uint8_t> before(PNR_MAP_SIZE);
    memcpy(before.data(), state, PNR_MAP_SIZE);

    std::vector<HANDLE> churn;
    for (int i = 0; i < kProcesses; ++i) {
        // stand_in_ide.exe --churn N loads and frees the library N times.
        HANDLE process = StartProgram("stand_in_ide.exe --churn " + std::to_string(kLoadsEach));
        ASSERT_NE(process, nullptr);
        churn.push_back(process);
        // Moves in the neutral band between the strips: the windows stay hidden.
        Xdotool("mousemove " + std::to_string(400 + i * 7) + " " + std::to_string(300 + i * 5), 30);
    }
    for (HANDLE process : churn) {
        EXPECT_EQ(WaitForSingleObject(process, Slowed(60000)), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(process, &code);
        EXPECT_EQ(code, 0u) << "a churn process could not load the library";
        CloseHandle(process);
    }

    const uint8_t* after = reinterpret_cast<const uint8_t*>(state);
    for (int i : StableBytes()) {
        ASSERT_EQ(after[i], before[i]) << "byte " << i << " changed";
    }
    EXPECT_EQ(state->IdleMark, 0);
    EXPECT_EQ(state->HooksActive, 1);

    // The hooks still work: the top strip shows the main window, away hides it.
    ASSERT_TRUE(MovePointer(500, 2));
    EXPECT_TRUE(WaitFor([&] { return WindowRect(main).top == 0; }));
    ASSERT_TRUE(MovePointer(500, 400));
    EXPECT_TRUE(WaitFor([&] { return WindowRect(main).bottom == 5; }));
    EXPECT_TRUE(host.UnHookHooks(true));
}

}  // namespace
