#include "settings_window.h"

#include <windows.h>
#include <shellapi.h>

#include "host_actions.h"
#include "pnrCommon.h"
#include "settings_file.h"

namespace {

enum ControlId {
    kFirstCheckId = 101,  // one check box per SettingId, in order
    kActivateId = 201,
    kDeactivateId = 202,
    kExitId = 203,
    kStatusId = 301,
    kShowMenuId = 401,
};

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kEndMessage = WM_APP + 2;
constexpr UINT_PTR kRefreshTimer = 1;

class SettingsWindow final : public ResidentWindow {
public:
    explicit SettingsWindow(ResidentHost& host) : host_(host) {}

    bool Create(bool show);
    HWND Handle() const override { return wnd_; }
    void Show() override;
    void Refresh() override;
    void RequestEnd() override { PostMessageA(wnd_, kEndMessage, 0, 0); }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    void ShowTrayMenu();
    void AddTrayIcon() { Shell_NotifyIconA(NIM_ADD, &icon_); }

    ResidentHost& host_;
    HWND wnd_ = nullptr;
    HWND checks_[kSettingCount] = {};
    HWND status_ = nullptr;
    NOTIFYICONDATAA icon_ = {};
    UINT taskbarCreated_ = 0;
};

// One host, one window: the window procedure finds it here.
SettingsWindow* g_window = nullptr;

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                int w, int h, int id) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void SettingsWindow::Show() {
    ShowWindow(wnd_, SW_SHOW);
    SetForegroundWindow(wnd_);
}

void SettingsWindow::Refresh() {
    if (!status_) return;  // still being made
    for (int id = 0; id < kSettingCount; ++id) {
        const WPARAM check = host_.SettingValue(static_cast<SettingId>(id)) ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageA(checks_[id], BM_GETCHECK, 0, 0)) != check) {
            SendMessageA(checks_[id], BM_SETCHECK, check, 0);
        }
    }
    const bool active = host_.Active();
    const char* note = host_.Note();
    char text[512];
    wsprintfA(text, "IDE: %s\r\nPanorela: %s%s%s\r\nSettings: %s%s",
              IdeRunning() ? "found" : "not found",
              active ? "active" : "inactive",
              note ? " - " : "",
              note ? note : "",
              host_.SettingsFile(),
              host_.SettingsUnsaved() ? " (cannot be written)" : "");
    char current[512];
    GetWindowTextA(status_, current, sizeof current);
    if (lstrcmpA(current, text) != 0) SetWindowTextA(status_, text);
    // No second command while one is under way.
    EnableWindow(GetDlgItem(wnd_, kActivateId), !active && !host_.Busy());
    EnableWindow(GetDlgItem(wnd_, kDeactivateId), active && !host_.Busy());
}

void SettingsWindow::ShowTrayMenu() {
    HMENU menu = CreatePopupMenu();
    const bool active = host_.Active();
    const UINT busy = host_.Busy() ? MF_GRAYED : 0;
    AppendMenuA(menu, MF_STRING, kShowMenuId, "&Settings...");
    AppendMenuA(menu, MF_STRING | (active ? MF_GRAYED : busy), kActivateId, "&Activate");
    AppendMenuA(menu, MF_STRING | (active ? busy : MF_GRAYED), kDeactivateId, "&Deactivate");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kExitId, "E&xit");
    POINT at;
    GetCursorPos(&at);
    // The menu closes properly only when its owner is the foreground window.
    SetForegroundWindow(wnd_);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, wnd_, nullptr);
    PostMessageA(wnd_, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void SettingsWindow::CreateControls() {
    for (int id = 0; id < kSettingCount; ++id) {
        checks_[id] = AddControl(wnd_, "BUTTON", Setting(static_cast<SettingId>(id)).label,
                                 BS_AUTOCHECKBOX | WS_TABSTOP, 12, 12 + 24 * id, 316, 20, kFirstCheckId + id);
    }
    AddControl(wnd_, "BUTTON", "&Activate", BS_DEFPUSHBUTTON | WS_TABSTOP, 12, 116, 100, 26, kActivateId);
    AddControl(wnd_, "BUTTON", "&Deactivate", BS_PUSHBUTTON | WS_TABSTOP, 120, 116, 100, 26, kDeactivateId);
    AddControl(wnd_, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 228, 116, 100, 26, kExitId);
    status_ = AddControl(wnd_, "STATIC", "", SS_LEFT | SS_SUNKEN, 12, 152, 316, 56, kStatusId);
}

void SettingsWindow::OnCommand(int id, int code) {
    if (id >= kFirstCheckId && id < kFirstCheckId + kSettingCount && code == BN_CLICKED) {
        const int setting = id - kFirstCheckId;
        host_.ChangeSetting(static_cast<SettingId>(setting),
                            SendMessageA(checks_[setting], BM_GETCHECK, 0, 0) == BST_CHECKED);
        return;
    }
    switch (id) {
    case kActivateId: host_.Activate(); break;
    case kDeactivateId: host_.Deactivate(); break;
    case kShowMenuId: Show(); break;
    case kExitId: host_.Quit(); break;
    }
}

LRESULT CALLBACK SettingsWindow::Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) g_window->wnd_ = wnd;
    if (g_window && g_window->wnd_ == wnd) return g_window->OnMessage(message, wParam, lParam);
    return DefWindowProcA(wnd, message, wParam, lParam);
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        Refresh();
        SetTimer(wnd_, kRefreshTimer, 1000, nullptr);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRefreshTimer) host_.AdoptBlockModes();
        return 0;
    case WM_COPYDATA:
        return host_.Serve(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_CLOSE:
        // Closing the window keeps the host, and with it the hooks, running.
        ShowWindow(wnd_, SW_HIDE);
        return 0;
    case kTrayMessage:
        if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) Show();
        if (lParam == WM_RBUTTONUP) ShowTrayMenu();
        return 0;
    case kEndMessage:
        if (host_.End()) DestroyWindow(wnd_);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) host_.ReleaseWithoutWaiting();
        return 0;
    case WM_DESTROY:
        KillTimer(wnd_, kRefreshTimer);
        host_.ReleaseWithoutWaiting();
        Shell_NotifyIconA(NIM_DELETE, &icon_);
        PostQuitMessage(0);
        return 0;
    }
    if (message == taskbarCreated_ && message != 0) {
        AddTrayIcon();  // the shell restarted and forgot our icon
        return 0;
    }
    return DefWindowProcA(wnd_, message, wParam, lParam);
}

bool SettingsWindow::Create(bool show) {
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = PNR_HOST_FORM_CLASS;
    if (!RegisterClassA(&wc)) return false;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 340, 220};
    AdjustWindowRect(&frame, style, FALSE);
    char caption[64];
    WindowCaption(caption, sizeof caption);
    if (!CreateWindowExA(0, PNR_HOST_FORM_CLASS, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance, nullptr)) {
        return false;
    }

    icon_.cbSize = sizeof icon_;
    icon_.hWnd = wnd_;
    icon_.uID = 1;
    icon_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon_.uCallbackMessage = kTrayMessage;
    icon_.hIcon = wc.hIcon;
    lstrcpynA(icon_.szTip, caption, sizeof icon_.szTip);
    AddTrayIcon();

    if (show) Show();
    return true;
}

}  // namespace

ResidentWindow* CreateSettingsWindow(ResidentHost& host, bool show) {
    static SettingsWindow window(host);  // lives as long as the program
    g_window = &window;
    host.Attach(window);
    return window.Create(show) ? &window : nullptr;
}
