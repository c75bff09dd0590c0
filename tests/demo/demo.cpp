// The run command's tour: starts the stand-in IDE, has panorela-host.exe
// switch both hiding modes on and activate the library, moves the real
// pointer to show and hide both windows, and prints where each window stands,
// saving a screenshot of each state into the folder named by PNR_SHOTS (a
// Unix path). It reads the shared block itself, as any host may.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host.h"
#include "pointer.h"
#include "program.h"
#include "stand_in.h"

namespace {

std::string Rect(HWND wnd) {
    const RECT r = WindowRect(wnd);
    char text[64];
    snprintf(text, sizeof text, "%5ld,%5ld %4ld x %3ld", r.left, r.top, r.right - r.left,
             r.bottom - r.top);
    return text;
}

void Screenshot(const std::string& name) {
    const char* folder = getenv("PNR_SHOTS");
    if (!folder) return;
    const std::string file = std::string(folder) + "/" + name + ".png";
    StartUnixProgram("Z:\\usr\\bin\\import -window root " + file);
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

}  // namespace

int main() {
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
    MovePointer(500, 300);
    host.FillWnd();
    HWND main = FindAppBuilder();
    HWND inspector = FindInspector();
    printf("FillWnd found: main 0x%lx, editor 0x%lx, inspector 0x%lx; work area %ld x %ld\n\n",
           static_cast<unsigned long>(state->AppBuilderWnd), static_cast<unsigned long>(state->EditWnd),
           static_cast<unsigned long>(state->InspectorWnd), static_cast<long>(state->WorkRight),
           static_cast<long>(state->WorkBottom));

    printf("| step | pointer | main window (x,y w x h) | inspector (x,y w x h) | screenshot |\n");
    printf("|---|---|---|---|---|\n");
    auto row = [&](const char* step, const char* pointer, const std::string& shot) {
        Screenshot(shot);
        printf("| %s | %s | %s | %s | %s.png |\n", step, pointer, Rect(main).c_str(),
               Rect(inspector).c_str(), shot.c_str());
        fflush(stdout);
    };
    row("discovered, before activation", "500,300", "1-before");

    if (RunHost("set toolbar on") || RunHost("set inspector on") || RunHost("activate")) {
        fprintf(stderr, "demo: panorela-host could not activate the library\n");
        return 1;
    }
    row("panorela-host activate, both modes on", "500,300", "2-active");

    MovePointer(500, 2);
    WaitFor([&] { return WindowRect(main).top == 0; });
    row("pointer in the top strip", "500,2", "3-main-shown");

    MovePointer(500, 400);
    WaitFor([&] { return WindowRect(main).bottom == 5; });
    row("pointer moved away", "500,400", "4-main-hidden");

    MovePointer(2, 400);
    WaitFor([&] { return WindowRect(inspector).left == 0; });
    row("pointer in the left strip", "2,400", "5-inspector-shown");

    MovePointer(600, 400);
    WaitFor([&] { return WindowRect(inspector).right == 5; });
    row("pointer moved away", "600,400", "6-inspector-hidden");

    RunHost("");  // a second start shows the running host's settings window
    WaitFor([] { return IsWindowVisible(FindWindowA(PNR_HOST_FORM_CLASS, nullptr)) != 0; });
    row("panorela-host settings window", "600,400", "7-host-window");

    RunHost("quit");  // deactivates with restore, then ends the host
    WaitFor([&] { return WindowRect(main).top == 0; });
    row("panorela-host quit", "600,400", "8-restored");
    return 0;
}
