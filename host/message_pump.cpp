#include "message_pump.h"

namespace {

void Dispatch(MSG& msg, HWND dialog) {
    if (dialog && IsDialogMessageA(dialog, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int Signalled(DWORD woke, DWORD count) {
    if (woke < WAIT_OBJECT_0 + count) return static_cast<int>(woke - WAIT_OBJECT_0);
    if (woke >= WAIT_ABANDONED_0 && woke < WAIT_ABANDONED_0 + count) return static_cast<int>(woke - WAIT_ABANDONED_0);
    return kWaitTimedOut;
}

}  // namespace

int WaitDispatching(const HANDLE* handles, DWORD count, DWORD timeoutMs, HWND dialog, const bool* giveUp) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (giveUp && *giveUp) return kWaitGaveUp;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            // One last look, without messages: a stream of them must not
            // keep the wait from ending.
            return Signalled(WaitForMultipleObjects(count, handles, FALSE, 0), count);
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles, timeoutMs - elapsed, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 + count) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
                    return kWaitGaveUp;
                }
                Dispatch(msg, dialog);
            }
            continue;
        }
        if (woke == WAIT_TIMEOUT) continue;  // the check above ends the wait
        // A handle, or WAIT_FAILED (a handle closed under the wait), which
        // can only run out: reported as that.
        return Signalled(woke, count);
    }
}

void RunMessageLoop(HWND dialog) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg, dialog);
}
