#include "settings_window.h"

#include <windows.h>
#include <shellapi.h>

#include "guard.h"
#include "host_actions.h"
#include "pnrCommon.h"
#include "resident_link.h"
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
constexpr UINT kQuitMessage = WM_APP + 2;
constexpr UINT_PTR kRefreshTimer = 1;

struct HostWindow {
    const PanorelaLibrary* library = nullptr;
    Settings settings;
    char settingsPath[MAX_PATH] = {};
    HWND wnd = nullptr;
    HWND checks[kSettingCount] = {};
    HWND status = nullptr;
    NOTIFYICONDATAA icon = {};
    UINT taskbarCreated = 0;
    bool ownHooks = false;  // this process installed the hooks now active
    const char* lastRefusal = nullptr;
    bool settingsUnsaved = false;
};

HostWindow g_host;

void SaveSettingsNow() {
    g_host.settingsUnsaved = !SaveSettings(g_host.settingsPath, g_host.settings);
}

void RefreshStatus() {
    const bool active = IsActive(*g_host.library);
    char text[512];
    wsprintfA(text, "IDE: %s\r\nPanorela: %s%s%s\r\nSettings: %s%s",
              IdeRunning() ? "found" : "not found",
              active ? "active" : "inactive",
              !active && g_host.lastRefusal ? " - " : "",
              !active && g_host.lastRefusal ? g_host.lastRefusal : "",
              g_host.settingsPath,
              g_host.settingsUnsaved ? " (cannot be written)" : "");
    char current[512];
    GetWindowTextA(g_host.status, current, sizeof current);
    if (lstrcmpA(current, text) != 0) SetWindowTextA(g_host.status, text);
    EnableWindow(GetDlgItem(g_host.wnd, kActivateId), !active);
    EnableWindow(GetDlgItem(g_host.wnd, kDeactivateId), active);
}

// A chord or the system-menu command in the IDE flips a mode in the block;
// the settings file follows so that the next run starts the same way.
void AdoptBlockModes() {
    bool changed = false;
    for (int id = 0; id < kSettingCount; ++id) {
        const bool inBlock = BlockSetting(*g_host.library, static_cast<SettingId>(id));
        if (inBlock != g_host.settings.value[id]) {
            g_host.settings.value[id] = inBlock;
            SendMessageA(g_host.checks[id], BM_SETCHECK, inBlock ? BST_CHECKED : BST_UNCHECKED, 0);
            changed = true;
        }
    }
    if (changed) SaveSettingsNow();
}

void ChangeSetting(SettingId id, bool on) {
    g_host.settings.value[id] = on;
    SendMessageA(g_host.checks[id], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    ApplySetting(*g_host.library, id, on);
    SaveSettingsNow();
}

LinkReply DoActivate() {
    ApplySettings(*g_host.library, g_host.settings);
    // Active, but not through us: a host that ended left its hooks behind
    // (or, on Windows, handles of hooks the system removed with its thread).
    // Remove them, leaving the windows where they are, and install our own.
    Activation result;
    {
        ActivationLock lock;  // not while the guard of a host that ended restores
        if (!g_host.ownHooks && IsActive(*g_host.library)) g_host.library->UnHookHooks(false);
        result = Activate(*g_host.library);
        if (result == Activation::kActive) {
            g_host.ownHooks = true;
            StartGuard(*g_host.library);
        }
    }
    g_host.lastRefusal = result == Activation::kActive ? nullptr : ActivationText(result);
    RefreshStatus();
    if (result == Activation::kActive) return kReplyDone;
    return result == Activation::kNoIde ? kReplyNoIde : kReplyHooksRefused;
}

LinkReply DoDeactivate() {
    g_host.lastRefusal = nullptr;
    // While inactive, UnHookHooks would still delete system-menu positions
    // recorded at an earlier activation: call it only with hooks in place.
    LinkReply reply = kReplyDone;
    if (IsActive(*g_host.library)) {
        if (g_host.library->UnHookHooks(true)) {
            g_host.ownHooks = false;
            StopGuard();
        } else {
            reply = kReplyHooksStuck;
        }
    }
    RefreshStatus();
    return reply;
}

// Hooks die with this thread anyway; UnHookHooks also brings both windows back.
void ReleaseHooks() {
    if (g_host.ownHooks && IsActive(*g_host.library)) g_host.library->UnHookHooks(true);
    g_host.ownHooks = false;
    StopGuard();
}

void ShowSettings() {
    ShowWindow(g_host.wnd, SW_SHOW);
    SetForegroundWindow(g_host.wnd);
}

void AddTrayIcon() {
    Shell_NotifyIconA(NIM_ADD, &g_host.icon);
}

void ShowTrayMenu() {
    HMENU menu = CreatePopupMenu();
    const bool active = IsActive(*g_host.library);
    AppendMenuA(menu, MF_STRING, kShowMenuId, "&Settings...");
    AppendMenuA(menu, MF_STRING | (active ? MF_GRAYED : 0), kActivateId, "&Activate");
    AppendMenuA(menu, MF_STRING | (active ? 0 : MF_GRAYED), kDeactivateId, "&Deactivate");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kExitId, "E&xit");
    POINT at;
    GetCursorPos(&at);
    // The menu closes properly only when its owner is the foreground window.
    SetForegroundWindow(g_host.wnd);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, g_host.wnd, nullptr);
    PostMessageA(g_host.wnd, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

// One-line commands from a second copy of the program (see resident_link.h).
LinkReply RunLinkCommand(const char* command) {
    if (lstrcmpA(command, "activate") == 0) return DoActivate();
    if (lstrcmpA(command, "deactivate") == 0) return DoDeactivate();
    if (lstrcmpA(command, "show") == 0) {
        ShowSettings();
        return kReplyDone;
    }
    if (lstrcmpA(command, "quit") == 0) {
        ReleaseHooks();
        PostMessageA(g_host.wnd, kQuitMessage, 0, 0);
        return kReplyDone;
    }
    // "set <word> <0|1>"
    char word[32] = {};
    const char* p = command;
    if (p[0] != 's' || p[1] != 'e' || p[2] != 't' || p[3] != ' ') return kReplyBadCommand;
    p += 4;
    int length = 0;
    while (*p && *p != ' ' && length < 31) word[length++] = *p++;
    if (*p != ' ' || (p[1] != '0' && p[1] != '1') || p[2] != '\0') return kReplyBadCommand;
    const SettingId id = FindSetting(word);
    if (id == kSettingCount) return kReplyBadCommand;
    ChangeSetting(id, p[1] == '1');
    RefreshStatus();
    return kReplyDone;
}

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                int w, int h, int id) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void CreateControls(HWND wnd) {
    for (int id = 0; id < kSettingCount; ++id) {
        g_host.checks[id] = AddControl(wnd, "BUTTON", Setting(static_cast<SettingId>(id)).label,
                                       BS_AUTOCHECKBOX | WS_TABSTOP, 12, 12 + 24 * id, 316, 20,
                                       kFirstCheckId + id);
        SendMessageA(g_host.checks[id], BM_SETCHECK,
                     g_host.settings.value[id] ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    AddControl(wnd, "BUTTON", "&Activate", BS_DEFPUSHBUTTON | WS_TABSTOP, 12, 116, 100, 26, kActivateId);
    AddControl(wnd, "BUTTON", "&Deactivate", BS_PUSHBUTTON | WS_TABSTOP, 120, 116, 100, 26, kDeactivateId);
    AddControl(wnd, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 228, 116, 100, 26, kExitId);
    g_host.status = AddControl(wnd, "STATIC", "", SS_LEFT | SS_SUNKEN, 12, 152, 316, 56, kStatusId);
}

void OnCommand(HWND wnd, int id, int code) {
    if (id >= kFirstCheckId && id < kFirstCheckId + kSettingCount && code == BN_CLICKED) {
        const int setting = id - kFirstCheckId;
        ChangeSetting(static_cast<SettingId>(setting),
                      SendMessageA(g_host.checks[setting], BM_GETCHECK, 0, 0) == BST_CHECKED);
        RefreshStatus();
        return;
    }
    switch (id) {
    case kActivateId: DoActivate(); break;
    case kDeactivateId: DoDeactivate(); break;
    case kShowMenuId: ShowSettings(); break;
    case kExitId:
        ReleaseHooks();
        DestroyWindow(wnd);
        break;
    }
}

LRESULT CALLBACK HostWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_host.wnd = wnd;
        CreateControls(wnd);
        RefreshStatus();
        SetTimer(wnd, kRefreshTimer, 1000, nullptr);
        return 0;
    case WM_COMMAND:
        OnCommand(wnd, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRefreshTimer) {
            AdoptBlockModes();
            RefreshStatus();
        }
        return 0;
    case WM_COPYDATA: {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != kLinkMagic || data->cbData == 0 || data->cbData > 128) return kReplyBadCommand;
        char command[129];
        CopyMemory(command, data->lpData, data->cbData);
        command[data->cbData] = '\0';
        return RunLinkCommand(command);
    }
    case WM_CLOSE:
        // Closing the window keeps the host, and with it the hooks, running.
        ShowWindow(wnd, SW_HIDE);
        return 0;
    case kTrayMessage:
        if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) ShowSettings();
        if (lParam == WM_RBUTTONUP) ShowTrayMenu();
        return 0;
    case kQuitMessage:
        DestroyWindow(wnd);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) ReleaseHooks();
        return 0;
    case WM_DESTROY:
        KillTimer(wnd, kRefreshTimer);
        ReleaseHooks();
        Shell_NotifyIconA(NIM_DELETE, &g_host.icon);
        PostQuitMessage(0);
        return 0;
    }
    if (message == g_host.taskbarCreated && message != 0) {
        AddTrayIcon();  // the shell restarted and forgot our icon
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

}  // namespace

int RunSettingsWindow(const PanorelaLibrary& library, bool showWindow) {
    g_host.library = &library;
    SettingsPath(g_host.settingsPath, MAX_PATH);
    g_host.settings = LoadSettings(g_host.settingsPath);
    ApplySettings(library, g_host.settings);
    g_host.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = PNR_HOST_FORM_CLASS;
    if (!RegisterClassA(&wc)) return 1;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 340, 220};
    AdjustWindowRect(&frame, style, FALSE);
    char caption[64];
    WindowCaption(caption, sizeof caption);
    HWND wnd = CreateWindowExA(0, PNR_HOST_FORM_CLASS, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               instance, nullptr);
    if (!wnd) return 1;

    g_host.icon.cbSize = sizeof g_host.icon;
    g_host.icon.hWnd = wnd;
    g_host.icon.uID = 1;
    g_host.icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    g_host.icon.uCallbackMessage = kTrayMessage;
    g_host.icon.hIcon = wc.hIcon;
    lstrcpynA(g_host.icon.szTip, caption, sizeof g_host.icon.szTip);
    AddTrayIcon();

    if (showWindow) ShowSettings();

    // The hooks' procedures for processes of the other bitness run in this
    // thread, which must keep pumping for as long as the hooks are in place.
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(wnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
