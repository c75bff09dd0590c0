// Switching the library on and off: the three system-wide hooks, the
// editor's maximisation and the toggle item in the two system menus.
#include <windows.h>

#include "../exports.h"
#include "../placement/objinsp.h"
#include "../placement/toolbar.h"
#include "../state/shared_state.h"
#include "message_hooks.h"
#include "mouse_hook.h"

namespace {

const char kToggleCaption[] = "Toggle Panorela activity";

// Appends a separator and the toggle item to the window's system menu and
// records where they went. A window without a menu leaves the base at -1.
void AppendToggle(uint32_t wnd, int32_t* base) {
    *base = GetMenuItemCount(GetSystemMenu(AsWnd(wnd), FALSE));
    AppendMenuA(GetSystemMenu(AsWnd(wnd), FALSE), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(GetSystemMenu(AsWnd(wnd), FALSE), MF_STRING, PNR_TOGGLE_COMMAND, kToggleCaption);
}

// Deletes the two entries at the recorded base, but only when they are ours:
// the separator, then the toggle item right after it. Anything else there
// belongs to the window (no activation yet, a failed one, or a window that
// was found after activation) and is left alone.
void RemoveToggle(uint32_t wnd, int32_t base) {
    HMENU menu = GetSystemMenu(AsWnd(wnd), FALSE);
    if (!menu || base < 0) return;
    const UINT position = static_cast<UINT>(base);
    if (GetMenuItemID(menu, static_cast<int>(position) + 1) != PNR_TOGGLE_COMMAND) return;
    if (!(GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR)) return;
    DeleteMenu(GetSystemMenu(AsWnd(wnd), FALSE), position + 1, MF_BYPOSITION);
    DeleteMenu(GetSystemMenu(AsWnd(wnd), FALSE), position, MF_BYPOSITION);
}

void SendToVisibleEditor(WPARAM command) {
    HWND editor = AsWnd(g_state->EditWnd);
    if (IsWindowVisible(editor)) SendMessageA(editor, WM_SYSCOMMAND, command, 0);
}

// Removes one hook; the field is cleared only when the hook is gone. A
// handle that names no hook any more is gone already: the system removes a
// thread's hooks when the thread ends, and a host that died while active
// leaves such handles behind, which would otherwise block every later
// removal and activation.
void Unhook(uint32_t* field) {
    if (!*field) return;
    if (UnhookWindowsHookEx(AsHook(*field)) || GetLastError() == ERROR_INVALID_HOOK_HANDLE) {
        *field = 0;
    }
}

}  // namespace

PNR_EXPORT uint8_t SetHooks() {
    if (!g_state) return 0;
    FillWnd();
    if (!g_state->AppBuilderWnd) return 0;
    if (g_state->HooksActive) return 1;

    if (g_state->ObjInspHiding) {
        HideInspector();
    } else {
        ShowInspector(true);
    }
    if (g_state->ToolBarHiding) {
        HideToolBar();
    } else {
        ShowToolBar();
    }

    // All three are attempted; the library runs with all of them or none.
    g_state->MouseHook = 0;
    g_state->CallWndProcHook = 0;
    g_state->GetMessageHook = 0;
    g_state->MouseHook = HookValue(SetWindowsHookExA(WH_MOUSE, MouseHookProc, g_module, 0));
    g_state->CallWndProcHook =
        HookValue(SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHookProc, g_module, 0));
    g_state->GetMessageHook =
        HookValue(SetWindowsHookExA(WH_GETMESSAGE, GetMessageHookProc, g_module, 0));
    if (!g_state->MouseHook || !g_state->CallWndProcHook || !g_state->GetMessageHook) {
        UnHookHooks(1);
        return 0;
    }
    g_state->HooksActive = 1;

    SendToVisibleEditor(SC_MAXIMIZE);
    AppendToggle(g_state->AppBuilderWnd, &g_state->MainMenuBase);
    AppendToggle(g_state->InspectorWnd, &g_state->InspMenuBase);
    return 1;
}

PNR_EXPORT uint8_t UnHookHooks(uint32_t eax) {
    if (!g_state) return 0;
    const bool restore = FlagFromEax(eax) != 0;
    const bool wasActive = g_state->HooksActive != 0;

    Unhook(&g_state->MouseHook);
    Unhook(&g_state->CallWndProcHook);
    Unhook(&g_state->GetMessageHook);
    if (g_state->MouseHook || g_state->CallWndProcHook || g_state->GetMessageHook) return 0;

    // Only an activation maximised the editor; otherwise its state is the user's.
    if (wasActive) SendToVisibleEditor(SC_RESTORE);
    RemoveToggle(g_state->AppBuilderWnd, g_state->MainMenuBase);
    RemoveToggle(g_state->InspectorWnd, g_state->InspMenuBase);
    if (restore) {
        ShowInspector(true);
        ShowToolBar();
    }
    g_state->HooksActive = 0;
    return 1;
}
