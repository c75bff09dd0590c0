// The three hook procedures fed a long random stream: messages, positions,
// hook codes and window handles that are live, stale, zero or made up, with
// the block's own handles and settings shuffled now and then. Nothing may
// fault, the chord fields must stay consistent, and the hooks may write only
// the fields the library owns.
//
// The procedures are called directly, in this process. A fault would end the
// program; a vectored handler reports it first, with the step that caused it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host_owned.h"
#include "hooks/message_hooks.h"
#include "hooks/mouse_hook.h"
#include "random.h"
#include "state/shared_state.h"
#include "window.h"

namespace {

// What the stream is doing, for the fault report.
struct Step {
    int index;
    const char* hook;
    int code;
    UINT message;
    uint32_t wnd;
    long x, y;
};
Step g_step = {};

uintptr_t g_imageStart = 0;
uintptr_t g_imageEnd = 0;

LONG CALLBACK ReportFault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->ExceptionRecord->ExceptionAddress);
    const bool fault = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
                       code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_STACK_OVERFLOW ||
                       code == EXCEPTION_PRIV_INSTRUCTION || code == EXCEPTION_DATATYPE_MISALIGNMENT ||
                       code == EXCEPTION_INT_OVERFLOW || code == EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
    // Wine raises and catches exceptions of its own inside its DLLs; only a
    // fault in this program's code (the library's code is linked in) counts.
    if (!fault || at < g_imageStart || at >= g_imageEnd) return EXCEPTION_CONTINUE_SEARCH;
    fprintf(stderr,
            "FAULT %#lx at %p in step %d: %s code %d message %#x window %#x point (%ld, %ld)\n",
            static_cast<unsigned long>(code), info->ExceptionRecord->ExceptionAddress, g_step.index,
            g_step.hook, g_step.code, g_step.message, g_step.wnd, g_step.x, g_step.y);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

void FindOwnImage() {
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    g_imageStart = reinterpret_cast<uintptr_t>(base);
    g_imageEnd = g_imageStart + nt->OptionalHeader.SizeOfImage;
}

// Messages the stream draws from: every mouse message the hooks look at,
// their neighbours, and the messages the two other hooks act on.
constexpr UINT kMouseMessages[] = {
    WM_MOUSEMOVE,     WM_NCMOUSEMOVE,   WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,  WM_NCRBUTTONDOWN,
    WM_NCRBUTTONUP,   WM_LBUTTONDOWN,   WM_LBUTTONUP,     WM_RBUTTONDOWN,  WM_RBUTTONUP,
    WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_NCLBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MOUSEWHEEL,
};
constexpr UINT kSentMessages[] = {WM_DISPLAYCHANGE, WM_ENTERMENULOOP, WM_EXITMENULOOP,
                                  WM_SYSCOMMAND, WM_SIZE, WM_PAINT};
constexpr int kCodes[] = {HC_ACTION, HC_ACTION, HC_ACTION, HC_ACTION, HC_NOREMOVE, -1, 1, 0x7FFFFFFF};

bool IsDown(UINT m) {
    return m == WM_NCLBUTTONDOWN || m == WM_NCRBUTTONDOWN || m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN;
}
bool IsChordButton(UINT m) {
    return IsDown(m) || m == WM_NCLBUTTONUP || m == WM_NCRBUTTONUP || m == WM_LBUTTONUP ||
           m == WM_RBUTTONUP;
}

class HookStream : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FindOwnImage();
        AddVectoredExceptionHandler(1, ReportFault);
        if (!g_state) OpenSharedState();
    }

    void SetUp() override {
        ASSERT_NE(g_state, nullptr);
        state = g_state;
        // Every byte gets a recognisable value; the hooks' own fields are then
        // given sane starting values.
        auto* bytes = reinterpret_cast<uint8_t*>(state);
        for (int i = 0; i < PNR_MAP_SIZE; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + 7);
        state->MouseHook = state->CallWndProcHook = state->GetMessageHook = 0;
        state->ObjInspHiding = state->ToolBarHiding = 0;
        state->MenuActive = 0;
        state->HooksActive = 1;
        state->LeftDownWnd = state->RightDownWnd = 0;
        MakeIdeWindows();
        other = MakeWindow("TSomeoneElse", "", 300, 300, 200, 200);
        util = MakeWindow("TPUtilWindow", "", 0, 0, 10, 10);
        HWND gone = MakeWindow("TSomeoneElse", "", 0, 0, 10, 10);
        DestroyWindow(gone);
        stale = WndValue(gone);
        ASSERT_TRUE(other && util);
    }

    void TearDown() override {
        for (HWND wnd : {main, inspector, editor, other, util}) DestroyWindow(wnd);
        state->LeftDownWnd = state->RightDownWnd = 0;
    }

    // The IDE's windows; made again now and then so that stored handles go
    // stale and the placements must rediscover them.
    void MakeIdeWindows() {
        main = MakeWindow("TAppBuilder", "IDE", 0, 0, 1024, 100);
        inspector = MakeWindow("TPropertyInspector", "Object Inspector", 0, 100, 200, 500);
        editor = MakeWindow("TEditWindow", "Unit1.pas", 200, 100, 600, 500);
        ASSERT_TRUE(main && inspector && editor);
        state->AppBuilderWnd = WndValue(main);
        state->InspectorWnd = WndValue(inspector);
        state->EditWnd = WndValue(editor);
    }

    uint32_t AnyWindow() {
        switch (rng.below(8)) {
            case 0: return 0;
            case 1: return stale;
            case 2: return rng.next();  // a value that may name nothing at all
            case 3: return WndValue(other);
            case 4: return WndValue(util);
            case 5: return WndValue(inspector);
            default: return WndValue(main);
        }
    }

    long AnyCoordinate() {
        switch (rng.below(6)) {
            case 0: return static_cast<int32_t>(rng.next());  // anything at all
            case 1: return static_cast<long>(rng.below(12)) - 2;  // at the strips and corners
            case 2: return 1024 - static_cast<long>(rng.below(12));
            default: return static_cast<long>(rng.below(1100)) - 30;
        }
    }

    void Shuffle() {
        switch (rng.below(9)) {
            case 0: state->AppBuilderWnd = AnyWindow(); break;
            case 1: state->InspectorWnd = AnyWindow(); break;
            case 2: state->ObjInspHiding ^= 1; break;
            case 3: state->ToolBarHiding ^= 1; break;
            case 4: state->MenuActive ^= 1; break;
            case 5: state->HooksActive ^= 1; break;
            case 6: {
                // Two presses pending: only a block of random bytes holds that.
                state->LeftDownWnd = AnyWindow();
                state->RightDownWnd = AnyWindow();
                break;
            }
            case 7: {
                // The IDE restarted: the stored handles go stale.
                for (HWND wnd : {main, inspector, editor}) DestroyWindow(wnd);
                MakeIdeWindows();
                if (rng.chance(50)) {
                    state->AppBuilderWnd = stale;
                    state->InspectorWnd = stale;
                }
                break;
            }
            default: {
                // Host settings change only between steps, as the host would.
                auto* bytes = reinterpret_cast<uint8_t*>(state);
                bytes[32] = static_cast<uint8_t>(rng.below(2));
                bytes[33] = static_cast<uint8_t>(rng.below(2));
                break;
            }
        }
    }

    SharedState* state = nullptr;
    Random rng{0x9E3779B97F4A7C15ull};
    HWND main = nullptr, inspector = nullptr, editor = nullptr, other = nullptr, util = nullptr;
    uint32_t stale = 0;
};

TEST_F(HookStream, RandomStreamFaultsNothingAndKeepsTheBlockConsistent) {
    if (const char* seed = getenv("PNR_FAULT_SEED")) rng.s = strtoull(seed, nullptr, 0) | 1;
    printf("seed %#llx\n", static_cast<unsigned long long>(rng.s));
    const int steps = 40000;
    int chords = 0, moves = 0, sent = 0, commands = 0, broken = 0;
    std::vector<uint8_t> before(PNR_MAP_SIZE);
    const auto* bytes = reinterpret_cast<const uint8_t*>(state);

    for (int i = 0; i < steps && broken < 10; ++i) {
        if (rng.chance(3)) Shuffle();
        memcpy(before.data(), bytes, PNR_MAP_SIZE);
        const uint8_t modes[2] = {state->ObjInspHiding, state->ToolBarHiding};
        const bool validBefore = state->LeftDownWnd == 0 || state->RightDownWnd == 0;
        const bool pendingBefore = state->LeftDownWnd != 0 || state->RightDownWnd != 0;

        const int code = kCodes[rng.below(sizeof kCodes / sizeof kCodes[0])];
        const uint32_t wnd = AnyWindow();
        const uint32_t pick = rng.below(10);
        LRESULT result = 0;
        UINT message = 0;
        if (pick < 6) {
            message = kMouseMessages[rng.below(sizeof kMouseMessages / sizeof kMouseMessages[0])];
            if (rng.chance(2)) message = rng.next() & 0xFFFF;
            MOUSEHOOKSTRUCT mouse = {};
            mouse.pt.x = AnyCoordinate();
            mouse.pt.y = AnyCoordinate();
            mouse.hwnd = AsWnd(wnd);
            mouse.wHitTestCode = rng.below(20);
            g_step = {i, "mouse", code, message, wnd, mouse.pt.x, mouse.pt.y};
            result = MouseHookProc(code, message, reinterpret_cast<LPARAM>(&mouse));
            if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) ++moves;
        } else if (pick < 8) {
            message = kSentMessages[rng.below(sizeof kSentMessages / sizeof kSentMessages[0])];
            CWPSTRUCT call = {static_cast<LPARAM>(rng.next()), rng.next(), message, AsWnd(wnd)};
            g_step = {i, "call-window-procedure", code, message, wnd, 0, 0};
            result = CallWndProcHookProc(code, rng.below(2), reinterpret_cast<LPARAM>(&call));
            ++sent;
        } else {
            message = rng.chance(80) ? WM_SYSCOMMAND : kSentMessages[rng.below(4)];
            MSG msg = {AsWnd(wnd), message, rng.chance(60) ? PNR_TOGGLE_COMMAND : rng.next(), 0, 0, {}};
            g_step = {i, "get-message", code, message, wnd, 0, 0};
            result = GetMessageHookProc(code, rng.chance(80) ? PM_REMOVE : PM_NOREMOVE,
                                        reinterpret_cast<LPARAM>(&msg));
            ++commands;
        }

        // The host's fields and the reserved bytes never change.
        for (int off = 0; off < PNR_MAP_SIZE; ++off) {
            if (HostOwned(off) && bytes[off] != before[off]) {
                ADD_FAILURE() << "step " << i << " (" << g_step.hook << ", message " << std::hex
                              << message << ") wrote byte " << std::dec << off;
                ++broken;
                break;
            }
        }
        // The mode bytes stay 0 or 1.
        if (state->ObjInspHiding > 1 || state->ToolBarHiding > 1) {
            ADD_FAILURE() << "step " << i << ": a mode byte left 0 and 1";
            ++broken;
        }
        if (g_step.hook[0] != 'm') continue;

        SharedState prior;
        memcpy(&prior, before.data(), sizeof prior);

        const bool flipped = state->ObjInspHiding != modes[0] || state->ToolBarHiding != modes[1];
        if (code == HC_ACTION && IsChordButton(message)) {
            // After a button message at most one press is pending, whatever was there.
            if (state->LeftDownWnd != 0 && state->RightDownWnd != 0) {
                ADD_FAILURE() << "step " << i << ": both chord fields set after message " << std::hex << message;
                ++broken;
            }
        } else if (state->LeftDownWnd != prior.LeftDownWnd || state->RightDownWnd != prior.RightDownWnd) {
            ADD_FAILURE() << "step " << i << ": a message that is no button press changed the chord fields";
            ++broken;
        }
        // A consumed message is a press that completed a chord on an IDE
        // window: exactly one mode flipped, nothing pending afterwards.
        if (result == 1) {
            ++chords;
            const int flips = (state->ObjInspHiding != modes[0]) + (state->ToolBarHiding != modes[1]);
            if (code != HC_ACTION || !IsDown(message) || !pendingBefore || !validBefore || flips != 1 ||
                state->LeftDownWnd != 0 || state->RightDownWnd != 0) {
                ADD_FAILURE() << "step " << i << ": consumed message " << std::hex << message
                              << " is no chord (" << std::dec << flips << " modes flipped)";
                ++broken;
            }
        } else if (flipped) {
            ADD_FAILURE() << "step " << i << ": a mode flipped on a message that was passed on";
            ++broken;
        }
    }
    printf("%d steps: %d mouse moves, %d chords, %d sent messages, %d queued messages\n", steps,
           moves, chords, sent, commands);
    // The stream must reach the paths it means to test.
    EXPECT_GT(chords, 20);
    EXPECT_GT(moves, 1000);
}

}  // namespace
