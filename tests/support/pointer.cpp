#include "pointer.h"

#include "program.h"
#include "stand_in.h"

// Wine starts a Unix program but gives no waitable handle for it, so the
// caller waits for the program's effect instead (or for `settleMs`).
bool Xdotool(const std::string& arguments, DWORD settleMs) {
    if (!StartUnixProgram("Z:\\usr\\bin\\xdotool " + arguments)) return false;
    PumpFor(settleMs);
    return true;
}

bool MovePointer(int x, int y) {
    // X's screen starts at the top left of the whole desk, which lies at
    // negative Windows coordinates where a monitor stands left of or above
    // the primary one.
    const int screenX = x - GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int screenY = y - GetSystemMetrics(SM_YVIRTUALSCREEN);
    if (!Xdotool("mousemove " + std::to_string(screenX) + " " + std::to_string(screenY), 0)) {
        return false;
    }
    return WaitFor([&] {
        POINT p;
        return GetCursorPos(&p) && p.x == x && p.y == y;
    });
}

void SendPointerTo(int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

bool ChordAtPointer() {
    return Xdotool("mousedown 1 sleep 0.2 mousedown 3 sleep 0.2 mouseup 3 sleep 0.1 mouseup 1", 1200);
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > Slowed(ms)) return false;
        PumpFor(20);
    }
}

RECT WindowRect(HWND wnd) {
    RECT r = {-99999, -99999, -99999, -99999};
    GetWindowRect(wnd, &r);
    return r;
}
