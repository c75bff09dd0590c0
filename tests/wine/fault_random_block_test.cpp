// The shared block filled with random bytes, as a buggy host or a stray write
// could leave it, then every export and every hook exercised: the loaded
// library through its exports and its installed hooks (real input into this
// process's windows), and the hook procedures called directly. Nothing may
// fault, and no byte the host owns, nor any reserved byte, may change.
//
// Wine's hook dispatcher swallows faults inside hook procedures, so a
// vectored handler counts every fault whose address lies in panorela.dll or
// in this program (which links the library's code for the direct calls).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "host.h"
#include "host_owned.h"
#include "hooks/message_hooks.h"
#include "hooks/mouse_hook.h"
#include "pointer.h"
#include "random.h"
#include "stand_in.h"
#include "state/shared_state.h"
#include "window.h"

namespace {

struct Range {
    uintptr_t start = 0, end = 0;
    bool Holds(uintptr_t at) const { return at >= start && at < end; }
};
Range g_dll, g_self;
volatile LONG g_faults = 0;
volatile uintptr_t g_lastFault = 0;

Range ImageOf(HMODULE module) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    return {reinterpret_cast<uintptr_t>(base), reinterpret_cast<uintptr_t>(base) + nt->OptionalHeader.SizeOfImage};
}

LONG CALLBACK CountFault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->ExceptionRecord->ExceptionAddress);
    const bool fault = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
                       code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_STACK_OVERFLOW ||
                       code == EXCEPTION_INT_OVERFLOW || code == EXCEPTION_PRIV_INSTRUCTION;
    if (fault && (g_dll.Holds(at) || g_self.Holds(at))) {
        InterlockedIncrement(&g_faults);
        g_lastFault = at;
        // In a procedure we called ourselves nothing would catch it: report
        // and stop rather than crash without a word.
        if (g_self.Holds(at)) {
            fprintf(stderr, "FAULT %#lx at %p in this program's copy of the library\n",
                    static_cast<unsigned long>(code), reinterpret_cast<void*>(at));
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

class RandomBlock : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        AddVectoredExceptionHandler(1, CountFault);
        if (!g_state) OpenSharedState();
    }

    void SetUp() override {
        ASSERT_TRUE(host.Loaded());
        g_dll = ImageOf(host.Module());
        g_self = ImageOf(GetModuleHandleA(nullptr));
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_NE(g_state, nullptr);
        // A backdrop under the pointer keeps real input in this process.
        backdrop = MakeWindow("PnrBackdrop", "", 0, 0, 1024, 768, WS_POPUP | WS_VISIBLE);
        main = MakeWindow("TAppBuilder", "IDE", 0, 0, 1024, 100);
        inspector = MakeWindow("TPropertyInspector", "Object Inspector", 0, 100, 200, 500);
        util = MakeWindow("TPUtilWindow", "", 0, 0, 1, 1, WS_POPUP);
        ASSERT_TRUE(backdrop && main && inspector && util);
        PumpFor(200);
    }

    void TearDown() override {
        for (HWND wnd : {main, inspector, util, backdrop}) DestroyWindow(wnd);
    }

    void Fill() {
        auto* bytes = reinterpret_cast<uint8_t*>(state);
        for (int i = 0; i < PNR_MAP_SIZE; ++i) bytes[i] = static_cast<uint8_t>(rng.next());
        memcpy(snapshot.data(), bytes, PNR_MAP_SIZE);
    }

    // Fails for every byte the host owns that no longer holds its random value.
    void ExpectHostBytesKept(const char* after) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(state);
        for (int i = 0; i < PNR_MAP_SIZE; ++i) {
            if (HostOwned(i) && bytes[i] != snapshot[i]) {
                ADD_FAILURE() << "byte " << i << " changed after " << after;
                return;
            }
        }
    }

    void CallHooksDirectly() {
        const uint32_t windows[] = {0, WndValue(main), WndValue(inspector), WndValue(util), rng.next()};
        for (int i = 0; i < 300; ++i) {
            const HWND wnd = AsWnd(windows[rng.below(5)]);
            const int code = rng.below(4) == 0 ? static_cast<int>(rng.below(5)) - 1 : HC_ACTION;
            MOUSEHOOKSTRUCT mouse = {};
            mouse.pt = {static_cast<LONG>(rng.below(1100)) - 30, static_cast<LONG>(rng.below(800)) - 30};
            mouse.hwnd = wnd;
            const UINT mouseMessages[] = {WM_MOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_RBUTTONDOWN,
                                          WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCMOUSEMOVE};
            MouseHookProc(code, mouseMessages[rng.below(7)], reinterpret_cast<LPARAM>(&mouse));
            const UINT sentMessages[] = {WM_DISPLAYCHANGE, WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_SIZE};
            CWPSTRUCT call = {0, 0, sentMessages[rng.below(4)], wnd};
            CallWndProcHookProc(code, 0, reinterpret_cast<LPARAM>(&call));
            MSG msg = {wnd, WM_SYSCOMMAND, rng.below(2) ? PNR_TOGGLE_COMMAND : rng.next(), 0, 0, {}};
            GetMessageHookProc(code, PM_REMOVE, reinterpret_cast<LPARAM>(&msg));
        }
    }

    Host host;
    SharedState* state = nullptr;
    Random rng{0xD1B54A32D192ED03ull};
    std::vector<uint8_t> snapshot = std::vector<uint8_t>(PNR_MAP_SIZE);
    HWND backdrop = nullptr, main = nullptr, inspector = nullptr, util = nullptr;
};

TEST_F(RandomBlock, EveryExportAndHookOnRandomBytesFaultsNothingAndWritesOnlyItsOwnFields) {
    int installed = 0, moved = 0;
    const int rounds = 12;
    for (int round = 0; round < rounds; ++round) {
        Fill();
        // The exports as the block stands, random hook handles and flags included.
        host.MapData();
        ExpectHostBytesKept("GetMapData");
        host.FillWnd();
        host.SetToolBarHidingMode(rng.below(2));
        host.SetObjInspHidingMode(rng.below(2));
        host.SetHooks();
        host.UnHookHooks(rng.below(2));
        ExpectHostBytesKept("the exports");
        CallHooksDirectly();
        ExpectHostBytesKept("the hook procedures");

        // Then live: the host clears the hook fields it saw as garbage, the
        // library installs its hooks and real input and messages reach them.
        state->MouseHook = state->CallWndProcHook = state->GetMessageHook = 0;
        state->HooksActive = 0;
        if (!host.SetHooks()) {
            ADD_FAILURE() << "round " << round << ": SetHooks failed with the IDE windows present";
            continue;
        }
        ++installed;
        state->IdleMark = 0x5A;  // a mouse move through the hook stores 0 here
        GetAsyncKeyState(VK_LBUTTON);
        for (int i = 0; i < 8; ++i) {
            SendPointerTo(200 + static_cast<int>(rng.below(600)), 200 + static_cast<int>(rng.below(400)));
            PumpFor(15);
        }
        SendPointerTo(512, 2);  // the tool-bar strip
        PumpFor(30);
        SendPointerTo(2, 400);  // the inspector's strip
        PumpFor(30);
        if (state->IdleMark == 0) ++moved;
        PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
        PostMessageA(inspector, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
        SendMessageA(util, WM_ENTERMENULOOP, 0, 0);
        SendMessageA(util, WM_EXITMENULOOP, 0, 0);
        SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
        PumpFor(50);
        EXPECT_TRUE(host.UnHookHooks(rng.below(2))) << "round " << round;
        ExpectHostBytesKept("the installed hooks");
        EXPECT_TRUE(host.RegistersKept());
    }
    printf("%d rounds, hooks installed in %d, moves seen by the installed mouse hook in %d, faults %ld\n",
           rounds, installed, moved, static_cast<long>(g_faults));
    EXPECT_EQ(g_faults, 0) << "last fault at " << reinterpret_cast<void*>(g_lastFault);
    // The installed hooks must really have run, or the rounds prove nothing.
    EXPECT_EQ(installed, rounds);
    EXPECT_GE(moved, rounds / 2);
}

}  // namespace
