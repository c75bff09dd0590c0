// A stand-in for the IDE whose windows panorela.dll manages. It creates the
// IDE's top-level windows, draws them to look like an IDE's (ide_look.cpp)
// and obeys text commands that tests in other processes send to its control
// window with WM_COPYDATA:
//
//   create <class> <x> <y> <w> <h> <visible> [caption]  -> window handle
//   destroy <hwnd> | enable <hwnd> <0|1> | show <hwnd> <SW_ code>
//   activate <hwnd>                -> makes the window the foreground window
//   backdrop                       -> a window over the whole desk, at the bottom, that
//                                     never activates, so the pointer is always
//                                     over a window of this (hooked) process
//   menu <hwnd>                    -> item count of its system menu (-1 when
//                                     there is none); reply: "pos id text" lines
//   popup | endmenu                -> opens / closes a popup menu owned by
//                                     the utility window
//   count <hwnd> <message>         -> how many such messages the window got
//   load | unload                  -> loads / frees panorela.dll in this process
//   loaded                         -> 1 when panorela.dll is in this process
//   zoomed <hwnd>                  -> IsZoomed
//   call <ordinal> <eax>           -> calls an export in the host's register
//                                     convention; returns EAX
//   quit
//
// Replies longer than a number go into the named block "PNR_STANDIN_REPLY".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "ide_look.h"
#include "register_call.h"
#include "stand_in_protocol.h"

namespace {

HINSTANCE g_instance;
HWND g_utilWnd;
HMODULE g_library;
char* g_reply;
std::set<std::string> g_registered;
std::map<std::pair<HWND, UINT>, int> g_counts;

LRESULT CALLBACK IdeWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++g_counts[{wnd, message}];
    if (message == kOpenPopupMessage) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, "&Open");
        AppendMenuA(popup, MF_STRING, 2, "&Close");
        SetForegroundWindow(wnd);
        TrackPopupMenu(popup, TPM_LEFTALIGN, 300, 300, 0, wnd, nullptr);
        DestroyMenu(popup);
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(wnd, &paint);
        PaintIdeWindow(wnd, dc);
        EndPaint(wnd, &paint);
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

void RegisterIdeClass(const std::string& name) {
    if (g_registered.count(name)) return;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;  // the drawing depends on the window's size
    wc.lpfnWndProc = IdeWindowProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    RegisterClassA(&wc);
    g_registered.insert(name);
}

HWND CreateIdeWindow(const std::string& className, const std::string& caption, int x, int y,
                     int w, int h, bool visible) {
    RegisterIdeClass(className);
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (visible) style |= WS_VISIBLE;
    return CreateWindowExA(0, className.c_str(), caption.c_str(), style, x, y, w, h, nullptr,
                           nullptr, g_instance, nullptr);
}

HWND ParseWnd(std::istringstream& in) {
    unsigned long value = 0;
    in >> std::hex >> value >> std::dec;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

void SetReply(const std::string& text) {
    const size_t n = text.size() < kReplySize - 1 ? text.size() : kReplySize - 1;
    memcpy(g_reply, text.data(), n);
    g_reply[n] = '\0';
}

LRESULT DescribeMenu(HWND wnd) {
    HMENU menu = GetSystemMenu(wnd, FALSE);
    if (!menu) {
        SetReply("");
        return -1;
    }
    const int count = GetMenuItemCount(menu);
    std::ostringstream out;
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        const int id = static_cast<int>(GetMenuItemID(menu, i));
        out << i << ' ' << id << ' ' << ((state & MF_SEPARATOR) ? "-" : text) << '\n';
    }
    SetReply(out.str());
    return count;
}

LRESULT Execute(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "create") {
        std::string className;
        int x, y, w, h, visible;
        in >> className >> x >> y >> w >> h >> visible;
        std::string caption;
        std::getline(in >> std::ws, caption);
        return reinterpret_cast<LRESULT>(CreateIdeWindow(className, caption, x, y, w, h, visible));
    }
    if (verb == "destroy") return DestroyWindow(ParseWnd(in));
    if (verb == "enable") {
        HWND wnd = ParseWnd(in);
        int on = 0;
        in >> on;
        EnableWindow(wnd, on);
        return 1;
    }
    if (verb == "show") {
        HWND wnd = ParseWnd(in);
        int command = SW_SHOW;
        in >> command;
        return ShowWindow(wnd, command);
    }
    if (verb == "activate") {
        HWND wnd = ParseWnd(in);
        SetForegroundWindow(wnd);
        SetActiveWindow(wnd);
        return reinterpret_cast<LRESULT>(GetForegroundWindow());
    }
    if (verb == "backdrop") {
        RegisterIdeClass("PnrBackdrop");
        // Over every monitor of the desk.
        HWND wnd = CreateWindowExA(WS_EX_NOACTIVATE, "PnrBackdrop", "", WS_POPUP | WS_VISIBLE,
                                   GetSystemMetrics(SM_XVIRTUALSCREEN),
                                   GetSystemMetrics(SM_YVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr,
                                   g_instance, nullptr);
        SetWindowPos(wnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return reinterpret_cast<LRESULT>(wnd);
    }
    if (verb == "zoomed") return IsZoomed(ParseWnd(in));
    if (verb == "loaded") return GetModuleHandleA("panorela.dll") != nullptr;
    if (verb == "menu") return DescribeMenu(ParseWnd(in));
    if (verb == "popup") return PostMessageA(g_utilWnd, kOpenPopupMessage, 0, 0);
    if (verb == "endmenu") return EndMenu();
    if (verb == "count") {
        HWND wnd = ParseWnd(in);
        unsigned message = 0;
        in >> message;
        return g_counts[{wnd, message}];
    }
    if (verb == "load") {
        if (!g_library) g_library = LoadLibraryA("panorela.dll");
        return reinterpret_cast<LRESULT>(g_library);
    }
    if (verb == "unload") {
        const BOOL ok = g_library && FreeLibrary(g_library);
        g_library = nullptr;
        return ok;
    }
    if (verb == "call") {
        int ordinal = 0;
        unsigned long eax = 0;
        in >> ordinal >> std::hex >> eax;
        if (!g_library) return -1;
        FARPROC function = GetProcAddress(g_library, MAKEINTRESOURCEA(ordinal));
        if (!function) return -1;
        const RegisterCallResult result =
            CallRegister(reinterpret_cast<const void*>(function), static_cast<uint32_t>(eax));
        SetReply(result.registersKept ? "kept" : "clobbered");
        return static_cast<LRESULT>(result.eax);
    }
    if (verb == "quit") {
        PostQuitMessage(0);
        return 1;
    }
    return -2;
}

LRESULT CALLBACK ControlProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const std::string line(static_cast<const char*>(data->lpData), data->cbData);
        return Execute(line);
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_instance = instance;
    HANDLE replyMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             kReplySize, kReplyMappingName);
    g_reply = static_cast<char*>(MapViewOfFile(replyMapping, FILE_MAP_WRITE, 0, 0, kReplySize));

    // --churn N: load and free the library N times and end, as processes
    // that the hooks reach come and go.
    if (const char* churn = strstr(commandLine, "--churn ")) {
        for (int i = atoi(churn + 8); i > 0; --i) {
            HMODULE library = LoadLibraryA("panorela.dll");
            if (!library) return 1;
            FreeLibrary(library);
        }
        return 0;
    }
    const bool empty = strstr(commandLine, "--empty") != nullptr;
    if (!empty) {
        CreateIdeWindow("TAppBuilder", "Stand-in IDE - Project1", 0, 0, 1024, 100, true);
        CreateIdeWindow("TEditWindow", "Tides.pas", 200, 100, 700, 500, true);
        CreateIdeWindow("TPropertyInspector", "Object Inspector", 0, 100, 200, 500, true);
    }
    g_utilWnd = CreateIdeWindow("TPUtilWindow", "", 0, 0, 0, 0, false);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = instance;
    wc.lpszClassName = kControlClass;
    RegisterClassA(&wc);
    CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (g_library) FreeLibrary(g_library);
    return 0;
}
