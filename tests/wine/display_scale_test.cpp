// A scaled display (Wine 10, run by scripts/wine-run --scale at 150 % and at
// 100 %): the stand-in IDE is not DPI-aware, so Windows shows it a smaller
// screen in logical pixels; a per-monitor-aware program (this program with
// --aware-program: a window over the right half of the screen and a task bar
// along the bottom, both topmost) takes most pointer moves in physical
// pixels. This program is the host and the first loader of the block, not
// aware or per-monitor aware by PNR_HOST_AWARENESS. Each row moves the real
// pointer and checks both IDE windows where the IDE sees them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "host.h"
#include "program.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

const char kAwareReady[] = "PNR_AWARE_PROGRAM_READY";
const char kAwareClass[] = "PnrAwareProgram";
constexpr int kMainHeight = 67;
constexpr int kInspectorTop = 67, kInspectorWidth = 200, kInspectorHeight = 300;

using SetProcessContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <class Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

bool MakeProcessAware() {
    const auto set = User32<SetProcessContext>("SetProcessDpiAwarenessContext");
    return set && set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

// Runs `read` with this thread in `context`, whatever this process is.
template <class Read>
auto InContext(DPI_AWARENESS_CONTEXT context, Read read) {
    const auto set = User32<SetThreadContext>("SetThreadDpiAwarenessContext");
    const DPI_AWARENESS_CONTEXT own = set(context);
    auto result = read();
    set(own);
    return result;
}

// In the IDE's context (not DPI-aware): a reader in the owner's context
// reads its windows right under Wine 10 (across contexts a negative
// coordinate comes back as garbage).
template <class Read>
auto AsTheIde(Read read) {
    return InContext(DPI_AWARENESS_CONTEXT_UNAWARE, read);
}

// ---- The per-monitor-aware program ----------------------------------------

int RunAwareProgram() {
    if (!MakeProcessAware()) return 3;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = kAwareClass;
    RegisterClassA(&wc);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const DWORD ex = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    // Physical pixels: the right half above the bar, and the bar.
    CreateWindowExA(ex, kAwareClass, "", WS_POPUP | WS_VISIBLE, w / 2, 0, w - w / 2, h - 40,
                    nullptr, nullptr, wc.hInstance, nullptr);
    CreateWindowExA(ex, kAwareClass, "", WS_POPUP | WS_VISIBLE, 0, h - 40, w, 40, nullptr, nullptr,
                    wc.hInstance, nullptr);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, kAwareReady);
    if (ready) SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// ---- The test --------------------------------------------------------------

enum class Side { Right, Left };
enum class Place { Hidden, Shown, Placed };

struct Box {
    int left, top, right, bottom;
};

bool operator==(const RECT& r, const Box& b) {
    return r.left == b.left && r.top == b.top && r.right == b.right && r.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool AwareHost() {
    const char* awareness = getenv("PNR_HOST_AWARENESS");
    return awareness && strcmp(awareness, "aware") == 0;
}

// One step: where the pointer goes, in thousandths of the physical screen
// (a negative value counts pixels back from the far edge: -1 is the last
// column or row), whether the aware program is under it, and where both
// IDE windows must then stand.
struct Step {
    const char* what;
    int x, y;
    bool overAware;
    Place main, inspector;
};

class ScaledDisplay : public ::testing::TestWithParam<Side> {
protected:
    void SetUp() override {
        // The screen in physical pixels (a per-monitor-aware thread's view)
        // and in the IDE's logical ones, whatever this process is.
        const auto screen = [] {
            return POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        };
        physical = InContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, screen);
        logical = InContext(DPI_AWARENESS_CONTEXT_UNAWARE, screen);
        const char* scale = getenv("PNR_SCALE_PERCENT");
        const int percent = scale ? atoi(scale) : 100;
        ASSERT_EQ(logical.x, (physical.x * 100 + percent / 2) / percent)
            << "Wine does not virtualise a display at " << percent << " % (it needs Wine 10)";
        GetAsyncKeyState(VK_RBUTTON);
        GetAsyncKeyState(VK_LBUTTON);

        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_TRUE(ide.Started());
        ASSERT_NE(ide.Command("backdrop"), 0);
        main = Create("TAppBuilder", BoxOf(Place::Shown, false), "Stand-in IDE - Project1");
        inspector = Create("TPropertyInspector", BoxOf(Place::Shown, true), "Object Inspector");
        ASSERT_TRUE(main && inspector);
        StartAwareProgram();
        ASSERT_NE(awareProgram, nullptr);
    }

    void TearDown() override {
        if (state && state->HooksActive) EXPECT_TRUE(host.UnHookHooks(true));
        if (awareProgram) {
            TerminateProcess(awareProgram, 0);
            WaitForSingleObject(awareProgram, Slowed(5000));
            CloseHandle(awareProgram);
        }
    }

    HWND Create(const char* cls, const Box& b, const char* caption) {
        return reinterpret_cast<HWND>(ide.Command("create " + std::string(cls) + " " +
                                                  std::to_string(b.left) + " " + std::to_string(b.top) +
                                                  " " + std::to_string(b.right - b.left) + " " +
                                                  std::to_string(b.bottom - b.top) + " 1 " + caption));
    }

    void StartAwareProgram() {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kAwareReady);
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        awareProgram = StartProgram("\"" + std::string(self) + "\" --aware-program");
        if (awareProgram && WaitForSingleObject(ready, Slowed(10000)) != WAIT_OBJECT_0) {
            TerminateProcess(awareProgram, 1);
            CloseHandle(awareProgram);
            awareProgram = nullptr;
        }
        CloseHandle(ready);
    }

    // Where a window stands, in the IDE's logical pixels.
    Box BoxOf(Place place, bool isInspector) const {
        const int w = logical.x, h = logical.y;
        if (!isInspector) {
            if (place == Place::Hidden) return {0, 5 - kMainHeight, w, 5};
            return {0, 0, w, kMainHeight};
        }
        const bool right = GetParam() == Side::Right;
        const int bottom = place == Place::Placed ? h : kInspectorTop + kInspectorHeight;
        int left = right ? w - kInspectorWidth : 0;
        if (place == Place::Hidden) left = right ? w - 5 : 5 - kInspectorWidth;
        return {left, kInspectorTop, left + kInspectorWidth, bottom};
    }

    RECT Where(HWND wnd) const {
        return AsTheIde([wnd] {
            RECT r = {-99999, -99999, -99999, -99999};
            GetWindowRect(wnd, &r);
            return r;
        });
    }

    bool Stands(Place mainAt, Place inspectorAt) const {
        return Where(main) == BoxOf(mainAt, false) && Where(inspector) == BoxOf(inspectorAt, true);
    }

    ::testing::AssertionResult Expect(Place mainAt, Place inspectorAt, bool moves) {
        if (moves) WaitFor([&] { return Stands(mainAt, inspectorAt); });
        else PumpFor(Slowed(400));  // time for a wrong move to show
        if (Stands(mainAt, inspectorAt)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "main window at " << Text(Where(main)) << ", inspector at "
               << Text(Where(inspector)) << " (logical screen " << logical.x << " x "
               << logical.y << ")";
    }

    // Moves the real pointer to a physical point and waits until it is there.
    bool PointTo(int x, int y) {
        if (!Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y), 0)) return false;
        return WaitFor([&] {
            POINT p = {};
            const BOOL read = InContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
                                        [&] { return GetCursorPos(&p); });
            return read && p.x == x && p.y == y;
        });
    }

    static int At(int value, int size) { return value < 0 ? size + value : size * value / 1000; }

    // Asked in a per-monitor-aware thread, which sees physical pixels.
    static bool UnderAwareProgram(int x, int y) {
        char name[64] = "";
        GetClassNameA(InContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
                                [=] { return WindowFromPoint(POINT{x, y}); }),
                      name, sizeof name);
        return strcmp(name, kAwareClass) == 0;
    }

    POINT physical = {}, logical = {};
    Host host;
    SharedState* state = nullptr;
    StandIn ide{"--empty"};
    HWND main = nullptr, inspector = nullptr;
    HANDLE awareProgram = nullptr;
};

TEST_P(ScaledDisplay, EveryProcessMovesTheIdeInItsOwnPixels) {
    const bool right = GetParam() == Side::Right;
    state->ToolBarHiding = 1;
    state->ObjInspHiding = 1;
    state->InspectorFullHeight = 0;
    state->HideInspectorWhenActive = 1;
    ASSERT_TRUE(host.SetHooks());
    ASSERT_TRUE(Expect(Place::Hidden, Place::Hidden, true)) << "activation";

    // The inspector's strip: over the aware program at the right edge, over
    // its task bar at the left one.
    const int stripX = right ? -2 : 1, stripY = right ? 500 : -10;
    const Step steps[] = {
        {"pointer over the aware program, far from every strip", 750, 500, true, Place::Hidden,
         Place::Hidden},
        {"pointer in the top strip, over the aware program", 750, 2, true, Place::Shown,
         Place::Hidden},
        {"pointer away again, over the aware program", 600, 600, true, Place::Hidden,
         Place::Hidden},
        {"pointer in the top strip, over the main window's own strip", 250, 2, false,
         Place::Shown, Place::Hidden},
        {"pointer away again, over the aware program", 600, 600, true, Place::Hidden,
         Place::Hidden},
        {"pointer in the inspector's strip, over the aware program", stripX, stripY, true,
         Place::Hidden, Place::Shown},
        {"pointer away again, over the aware program", 600, 600, true, Place::Hidden,
         Place::Hidden},
    };
    Place mainAt = Place::Hidden, inspectorAt = Place::Hidden;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        const int x = At(s.x, physical.x), y = At(s.y, physical.y);
        ASSERT_EQ(UnderAwareProgram(x, y), s.overAware) << "at " << x << "," << y;
        ASSERT_TRUE(PointTo(x, y)) << "the pointer did not reach " << x << "," << y;
        const bool moves = s.main != mainAt || s.inspector != inspectorAt;
        EXPECT_TRUE(Expect(s.main, s.inspector, moves)) << "pointer at physical " << x << "," << y;
        mainAt = s.main;
        inspectorAt = s.inspector;
    }

    // A work-area change while hidden: the main window is put back where a
    // stale strip could have left it, and the change re-applies the rules.
    // Wine tells no other process of a new work area, so the area stays the
    // same; the rules themselves are proved in a native table. The pointer
    // waits first where a move would leave the shown window alone (between
    // its bottom and its limit), so that only the change can hide it: Wine
    // makes up a move when a window moves.
    const int waitY = physical.y * (kMainHeight + 10) / logical.y;
    ASSERT_TRUE(PointTo(At(750, physical.x), waitY));
    ASSERT_TRUE(Expect(Place::Hidden, Place::Hidden, false));
    AsTheIde([&] {
        return SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    ASSERT_TRUE(Expect(Place::Shown, Place::Hidden, true));
    ASSERT_TRUE(Expect(Place::Shown, Place::Hidden, false)) << "a move hid it, not the change";
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    EXPECT_TRUE(Expect(Place::Hidden, Place::Hidden, true)) << "after the work-area change";

    ASSERT_TRUE(host.UnHookHooks(true));
    EXPECT_TRUE(Expect(Place::Shown, Place::Placed, true)) << "removal";
}

INSTANTIATE_TEST_SUITE_P(Docked, ScaledDisplay, ::testing::Values(Side::Right, Side::Left),
                         [](const ::testing::TestParamInfo<Side>& info) {
                             return std::string(info.param == Side::Right ? "Right" : "Left");
                         });

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "--aware-program") == 0) return RunAwareProgram();
    // The host's awareness is the process's, set before anything else runs.
    if (AwareHost() && !MakeProcessAware()) {
        fprintf(stderr, "SetProcessDpiAwarenessContext failed\n");
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
