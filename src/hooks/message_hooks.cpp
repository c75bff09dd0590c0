#include "message_hooks.h"

#include "discovery/class_name.h"
#include "placement/objinsp.h"
#include "placement/toolbar.h"
#include "state/shared_state.h"

namespace {

// The IDE's hidden utility window owns its menus; its menu loop must not be
// cut short by sliding the main window away.
constexpr char kUtilityClass[] = "TPUTILWINDOW";

// A display or work-area change (a task bar moved, resized or set to hide
// itself) reaches every top-level window. Each process forgets the home
// monitors it remembered; the IDE's, told through its main window, also
// measures the block's work area for the host and applies the rules again,
// so that nothing stays hidden under a task bar or off its new edge.
void DeskChanged(HWND target) {
    ForgetInspectorHome();
    ForgetToolBarHome();
    if (WndValue(target) != g_state->AppBuilderWnd) return;
    RefreshWorkArea();
    if (!g_state->HooksActive) return;
    if (g_state->ObjInspHiding) HideInspector();
    if (g_state->ToolBarHiding) HideToolBar();
}

// Carries out the system-menu item "Toggle Panorela activity" of either IDE
// window; false for any other command or window.
bool RunToggleCommand(HWND target, WPARAM command) {
    // A thread message names no window: while an IDE window was not found its
    // handle is 0 too, and such a message must not pass for its command.
    if (!target) return false;
    const uint32_t wnd = WndValue(target);
    if (wnd == g_state->AppBuilderWnd) {
        if (command != PNR_TOGGLE_COMMAND) return false;
        const uint8_t hiding = g_state->ToolBarHiding ^ 1;
        g_state->ToolBarHiding = hiding;
        if (hiding) {
            HideToolBar();
        } else {
            ShowToolBar();
        }
        return true;
    }
    if (wnd == g_state->InspectorWnd) {
        if (command != PNR_TOGGLE_COMMAND) return false;
        const uint8_t hiding = g_state->ObjInspHiding ^ 1;
        g_state->ObjInspHiding = hiding;
        if (hiding) {
            HideInspector();
        } else {
            ShowInspector(false);  // back on its own side, not below the main window
        }
        return true;
    }
    return false;
}

}  // namespace

LRESULT CALLBACK CallWndProcHookWork(int code, WPARAM wParam, LPARAM lParam) {
    if (g_state) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        switch (sent->message) {
            case WM_DISPLAYCHANGE:
                DeskChanged(sent->hwnd);
                break;
            case WM_SETTINGCHANGE:
                if (sent->wParam == SPI_SETWORKAREA) DeskChanged(sent->hwnd);
                break;
            case WM_ENTERMENULOOP:
                if (HasUpperClass(sent->hwnd, kUtilityClass)) g_state->MenuActive = 1;
                break;
            case WM_EXITMENULOOP:
                if (HasUpperClass(sent->hwnd, kUtilityClass)) g_state->MenuActive = 0;
                break;
            default:
                break;
        }
    }
    return CallNextHookEx(AsHook(g_hookHandles[1]), code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHookWork(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    // Only on removal: loops that peek without removing and then take the
    // same message would otherwise toggle twice.
    if (g_state && wParam == PM_REMOVE && RunToggleCommand(msg->hwnd, msg->wParam)) {
        return 0;  // consumed: the command is ours alone
    }
    return CallNextHookEx(AsHook(g_hookHandles[2]), code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const UINT message = reinterpret_cast<const CWPSTRUCT*>(lParam)->message;
        if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE ||
            message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP) {
            return CallWndProcHookWork(code, wParam, lParam);
        }
    }
    return CallNextHookEx(AsHook(g_hookHandles[1]), code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const MSG*>(lParam)->message == WM_SYSCOMMAND) {
        return GetMessageHookWork(code, wParam, lParam);
    }
    return CallNextHookEx(AsHook(g_hookHandles[2]), code, wParam, lParam);
}
