// The run command's tour: starts the stand-in IDE, has panorela-host.exe
// switch both hiding modes on and activate the library, moves the real
// pointer to show and hide both windows, switches the main window's hiding
// off and on again with a two-button chord on its caption, and deactivates.
// With --two-monitors it shows one scene on a desk of two monitors instead.
// At each step it checks that both windows stand where the step says, prints
// where they stand and saves a screenshot into the folder named by PNR_SHOTS
// (a Unix path), with a line per step in steps.txt there for the pictures
// that scripts/lib/pictures.sh makes and checks. It reads the shared block
// itself, as any host may. Exit code: 0 when every step held, 1 when one did
// not, 2 when the tour could not start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host.h"
#include "pointer.h"
#include "program.h"
#include "stand_in.h"
#include "stand_in_protocol.h"

namespace {

constexpr int kShown = 1;
constexpr int kHidden = 0;

std::string Rect(HWND wnd) {
    const RECT r = WindowRect(wnd);
    char text[64];
    snprintf(text, sizeof text, "%5ld,%5ld %4ld x %3ld", r.left, r.top, r.right - r.left,
             r.bottom - r.top);
    return text;
}

long Area(const RECT& r) { return r.right > r.left && r.bottom > r.top ? (r.right - r.left) * (r.bottom - r.top) : 0; }

RECT Cut(const RECT& a, const RECT& b) {
    RECT r = {};
    IntersectRect(&r, &a, &b);
    return r;
}

// Pixels of the code editor left in view: its rectangle on the screen less
// what the main window and the inspector cover of it (those two never overlap).
// `seen` gets the editor's rectangle on the screen.
long EditorRoom(HWND editor, HWND main, HWND inspector, RECT& seen) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    seen = Cut(WindowRect(editor), screen);
    return Area(seen) - Area(Cut(seen, WindowRect(main))) - Area(Cut(seen, WindowRect(inspector)));
}

// The main window shown is the work area's width and 100 high at the top; hidden,
// 5 rows stay. The inspector shown starts at the left edge below the main
// window; hidden, 5 columns stay.
bool MainIs(HWND main, int shown) {
    const RECT r = WindowRect(main);
    return r.left == 0 && r.right == 1024 && r.top == (shown ? 0 : -95) && r.bottom == (shown ? 100 : 5);
}

bool InspectorIs(HWND inspector, int shown) {
    const RECT r = WindowRect(inspector);
    return r.top == 100 && r.left == (shown ? 0 : -195) && r.right == (shown ? 200 : 5);
}

std::string ShotsFolder() {
    const char* folder = getenv("PNR_SHOTS");
    return folder ? folder : "";
}

void Screenshot(const std::string& name) {
    if (ShotsFolder().empty()) return;
    // With no notification area on the display, Wine shows the host's icon
    // in a window of its own at the top left, over the main window's strip.
    if (HWND tray = FindWindowA(nullptr, "Wine System Tray")) {
        ShowWindow(tray, SW_HIDE);
        PumpFor(200);
    }
    StartUnixProgram("Z:\\usr\\bin\\import -window root " + ShotsFolder() + "/" + name + ".png");
    PumpFor(1500);  // Wine gives no waitable handle for a Unix program
}

// Runs panorela-host.exe with `arguments` and returns its exit code.
DWORD RunHost(const std::string& arguments) {
    HANDLE process = StartProgram("panorela-host.exe " + arguments);
    if (!process) return 255;
    WaitForSingleObject(process, Slowed(30000));
    DWORD code = 255;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

// The two-monitor scene, on a desk with a second monitor right of the
// primary one (scripts/lib/desk-session.sh): the inspector, docked at the
// right where the neighbour adjoins, hides off the free left edge instead,
// and the pointer crossing to the second monitor shows nothing.
int TwoMonitorScene() {
    StandIn ide;
    Host host;
    SharedState* state = host.Loaded() ? host.MapData() : nullptr;
    if (!ide.Started() || !state) {
        fprintf(stderr, "demo: the stand-in IDE or the library did not start\n");
        return 2;
    }
    ide.Command("backdrop");
    MovePointer(500, 300);
    HWND main = FindAppBuilder();
    HWND inspector = FindInspector();
    HWND editor = FindEditor();
    for (HWND wnd : {editor, inspector, main}) {
        SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(inspector, nullptr, 824, 100, 200, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    state->ToolBarHiding = 1;
    state->ObjInspHiding = 1;
    state->HideInspectorWhenActive = 1;
    if (!host.SetHooks()) {
        fprintf(stderr, "demo: activation on two monitors failed\n");
        return 1;
    }
    MovePointer(1536, 384);
    PumpFor(Slowed(600));
    const bool held = MainIs(main, kHidden) && InspectorIs(inspector, kHidden);
    const char* caption =
        "Two monitors: the inspector hides at the free left edge; the second monitor shows nothing";
    printf("| %s | 1536,384 | %s | %s | 12-two-monitors.png |\n", caption, Rect(main).c_str(),
           Rect(inspector).c_str());
    Screenshot("12-two-monitors");
    if (!ShotsFolder().empty()) {
        if (FILE* desk = fopen(("Z:" + ShotsFolder() + "/desk.txt").c_str(), "wb")) {
            fprintf(desk, "12-two-monitors 1536 384 %s\n", caption);
            fclose(desk);
        }
    }
    host.UnHookHooks(true);
    if (!held) {
        fprintf(stderr, "demo: on two monitors the main window stands at %s and the inspector at %s\n",
                Rect(main).c_str(), Rect(inspector).c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--two-monitors") return TwoMonitorScene();
    StandIn ide;
    if (!ide.Started()) {
        fprintf(stderr, "demo: the stand-in IDE did not start\n");
        return 2;
    }
    ide.Command("backdrop");
    Host host;
    SharedState* state = host.Loaded() ? host.MapData() : nullptr;
    if (!state) {
        fprintf(stderr, "demo: cannot load panorela.dll or map its block\n");
        return 2;
    }
    FILE* steps = nullptr;
    if (!ShotsFolder().empty()) steps = fopen(("Z:" + ShotsFolder() + "/steps.txt").c_str(), "wb");
    auto note = [&](const char* format, auto... values) {
        if (steps) fprintf(steps, format, values...);
    };

    MovePointer(500, 300);
    host.FillWnd();
    HWND main = FindAppBuilder();
    HWND inspector = FindInspector();
    HWND editor = FindEditor();
    // The backdrop came last, so X stacks it over the IDE's windows although
    // it is at the bottom of the Z order; raising them puts X right.
    for (HWND wnd : {editor, inspector, main}) {
        SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    printf("FillWnd found: main 0x%lx, editor 0x%lx, inspector 0x%lx; work area %ld x %ld\n\n",
           static_cast<unsigned long>(state->AppBuilderWnd), static_cast<unsigned long>(state->EditWnd),
           static_cast<unsigned long>(state->InspectorWnd), static_cast<long>(state->WorkRight),
           static_cast<long>(state->WorkBottom));

    // The points where a screenshot shows each window's own colour while
    // the window stands there.
    POINT mainMark = kMainMarkPoint;
    POINT inspectorMark = kInspectorMarkPoint;
    ClientToScreen(main, &mainMark);
    ClientToScreen(inspector, &inspectorMark);
    note("mark %ld %ld %06lx\n", mainMark.x, mainMark.y,
         static_cast<unsigned long>(RGB(GetBValue(kMainMarkColour), GetGValue(kMainMarkColour), GetRValue(kMainMarkColour))));
    note("mark %ld %ld %06lx\n", inspectorMark.x, inspectorMark.y,
         static_cast<unsigned long>(RGB(GetBValue(kInspectorMarkColour), GetGValue(kInspectorMarkColour), GetRValue(kInspectorMarkColour))));

    int failed = 0;
    printf("| step | pointer | main window (x,y w x h) | inspector (x,y w x h) | screenshot |\n");
    printf("|---|---|---|---|---|\n");
    // One step of the tour: checks where both windows stand, saves the
    // screenshot and notes, for the pictures, the pointer and which marks
    // the screenshot must show (none under another window on top, `cover`).
    auto step = [&](const char* shot, const char* caption, int x, int y, bool chord, int mainShown,
                    int inspectorShown, RECT cover = RECT{}) {
        if (!MainIs(main, mainShown) || !InspectorIs(inspector, inspectorShown)) {
            fprintf(stderr, "demo: at \"%s\" the main window stands at %s and the inspector at %s\n",
                    caption, Rect(main).c_str(), Rect(inspector).c_str());
            ++failed;
        }
        Screenshot(shot);
        printf("| %s | %d,%d | %s | %s | %s.png |\n", caption, x, y, Rect(main).c_str(),
               Rect(inspector).c_str(), shot);
        fflush(stdout);
        const RECT mainRect = WindowRect(main), inspectorRect = WindowRect(inspector);
        const bool mainSeen = PtInRect(&mainRect, mainMark) && !PtInRect(&cover, mainMark);
        const bool inspectorSeen = PtInRect(&inspectorRect, inspectorMark) && !PtInRect(&cover, inspectorMark);
        note("step %s %d %d %d %d %d %s\n", shot, x, y, chord ? 1 : 0, mainSeen ? 1 : 0,
             inspectorSeen ? 1 : 0, caption);
    };

    step("01-before", "before activation: the IDE as it starts", 500, 300, false, kShown, kShown);
    RECT editorBefore, editorActive;
    const long roomBefore = EditorRoom(editor, main, inspector, editorBefore);

    if (RunHost("set toolbar on") || RunHost("set inspector on") || RunHost("activate")) {
        fprintf(stderr, "demo: panorela-host could not activate the library\n");
        return 1;
    }
    WaitFor([&] { return IsZoomed(editor) && MainIs(main, kHidden) && InspectorIs(inspector, kHidden); });
    step("02-active", "activated: main window and inspector hidden, editor maximised", 500, 300, false,
         kHidden, kHidden);
    const long roomActive = EditorRoom(editor, main, inspector, editorActive);
    note("room %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld\n", roomBefore, editorBefore.left,
         editorBefore.top, editorBefore.right, editorBefore.bottom, roomActive, editorActive.left,
         editorActive.top, editorActive.right, editorActive.bottom);

    MovePointer(500, 2);
    WaitFor([&] { return MainIs(main, kShown); });
    step("03-main-shown", "pointer in the top strip: main window shown", 500, 2, false, kShown, kHidden);

    MovePointer(500, 400);
    WaitFor([&] { return MainIs(main, kHidden); });
    step("04-main-hidden", "pointer moved away: main window hidden", 500, 400, false, kHidden, kHidden);

    MovePointer(2, 400);
    WaitFor([&] { return InspectorIs(inspector, kShown); });
    step("05-inspector-shown", "pointer in the left strip: inspector shown", 2, 400, false, kHidden, kShown);

    MovePointer(600, 400);
    WaitFor([&] { return InspectorIs(inspector, kHidden); });
    step("06-inspector-hidden", "pointer moved away: inspector hidden", 600, 400, false, kHidden, kHidden);

    // The chord: shown by the top strip, the main window's caption takes a
    // press of both buttons, which switches its hiding off; moving away then
    // leaves it in place. A second chord switches hiding on again.
    MovePointer(500, 2);
    WaitFor([&] { return MainIs(main, kShown); });
    MovePointer(500, 10);
    ChordAtPointer();
    WaitFor([&] { return state->ToolBarHiding == 0; });
    if (state->ToolBarHiding != 0) {
        fprintf(stderr, "demo: the chord on the main window's caption left its hiding on\n");
        ++failed;
    }
    step("07-chord-off", "two-button chord on the caption: main window's hiding off", 500, 10, true,
         kShown, kHidden);

    MovePointer(500, 400);
    PumpFor(500);
    step("08-chord-stays", "pointer moved away: main window stays, its hiding is off", 500, 400, false,
         kShown, kHidden);

    MovePointer(500, 10);
    ChordAtPointer();
    WaitFor([&] { return state->ToolBarHiding == 1; });
    MovePointer(500, 400);
    WaitFor([&] { return MainIs(main, kHidden); });
    step("09-chord-on", "second chord turns hiding on: pointer away, main window hidden", 500, 400,
         false, kHidden, kHidden);

    RunHost("");  // a second start shows the running host's settings window
    HWND form = nullptr;
    WaitFor([&] {
        form = FindWindowA(PNR_HOST_FORM_CLASS, nullptr);
        return IsWindowVisible(form) != 0;
    });
    PumpFor(300);  // lets the window paint its status line
    const RECT formRect = WindowRect(form);
    step("10-host-window", "panorela-host: its settings window and status line", 600, 400, false,
         kHidden, kHidden, formRect);
    note("host %ld %ld %ld %ld\n", formRect.left, formRect.top, formRect.right, formRect.bottom);

    RunHost("quit");  // deactivates with restore, then ends the host
    WaitFor([&] { return MainIs(main, kShown) && InspectorIs(inspector, kShown); });
    step("11-restored", "panorela-host quit: deactivated, both windows back", 600, 400, false, kShown,
         kShown);
    if (steps) fclose(steps);
    return failed ? 1 : 0;
}
