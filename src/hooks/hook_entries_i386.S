/* The entries of the three hook procedures in the shipped 32-bit build.
 *
 * Every event of every hooked thread enters here, and nearly all are passed
 * on untouched; so each entry tests the hook code and the message number
 * and nothing else, with the arguments where the system left them. A
 * message the procedure acts on goes to its work procedure in C++ by a jump,
 * with the stack as it came (same stdcall arguments, same return). Any other
 * passes on at once, with the handle that g_hookHandles points at (the
 * block's, or zeros while this copy is inert; never null).
 *
 * The C++ twins of these entries, which the 64-bit build uses, are at the
 * end of mouse_hook.cpp and message_hooks.cpp; the two must test the same.
 * tests/abi/hook_cost.py counts what these cost.
 *
 * On entry: 0(%esp) return address, 4 hook code, 8 wParam, 12 lParam. */

/* CallNextHookEx(g_hookHandles[index], code, wParam, lParam); ret 12. */
.macro PASS_ON index
    movl _g_hookHandles, %eax
    pushl 12(%esp)              /* lParam */
    pushl 12(%esp)              /* wParam */
    pushl 12(%esp)              /* code */
    pushl 4*\index(%eax)
    call *__imp__CallNextHookEx@16
    ret $12
.endm

    .text

/* WH_MOUSE; wParam is the message. Moves and chord buttons lie in two
 * ranges of six numbers, from WM_NCMOUSEMOVE (0xA0) and from WM_MOUSEMOVE
 * (0x200), 0x160 apart: one masked comparison takes both (InMouseRanges in
 * mouse_hook.h). */
    .globl _MouseHookProc@12
_MouseHookProc@12:
    cmpl $0, 4(%esp)            /* HC_ACTION only */
    jne 1f
    movl 8(%esp), %eax
    subl $0xA0, %eax
    andl $~0x160, %eax
    cmpl $5, %eax
    jbe _MouseHookWork@12
1:  PASS_ON 0

/* WH_CALLWNDPROC; lParam is a CWPSTRUCT, its message at 8. */
    .globl _CallWndProcHookProc@12
_CallWndProcHookProc@12:
    cmpl $0, 4(%esp)
    jne 1f
    movl 12(%esp), %eax
    movl 8(%eax), %eax
    cmpl $0x7E, %eax            /* WM_DISPLAYCHANGE */
    je _CallWndProcHookWork@12
    subl $0x211, %eax           /* WM_ENTERMENULOOP, WM_EXITMENULOOP */
    cmpl $1, %eax
    jbe _CallWndProcHookWork@12
1:  PASS_ON 1

/* WH_GETMESSAGE; lParam is a MSG, its message at 4. */
    .globl _GetMessageHookProc@12
_GetMessageHookProc@12:
    cmpl $0, 4(%esp)
    jne 1f
    movl 12(%esp), %eax
    cmpl $0x112, 4(%eax)        /* WM_SYSCOMMAND */
    je _GetMessageHookWork@12
1:  PASS_ON 2
