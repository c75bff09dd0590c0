/* pnrCall.h - calling the exports of panorela.dll from C or C++.
 *
 * The six exports use the 32-bit register convention: the one argument in
 * EAX (a byte flag in AL), nothing on the stack, the result in EAX (a byte
 * boolean in AL, upper bytes undefined; a pointer in the whole of EAX),
 * EBX, ESI, EDI and EBP preserved. GCC and Clang call such a function
 * through a pointer typed regparm(1): the first integer argument goes in
 * EAX, and the caller already treats ECX, EDX, the flags and the vector
 * registers as clobbered, exactly as the convention allows.
 *
 * Resolve each export by ordinal (GetProcAddress(module,
 * MAKEINTRESOURCEA(PNR_ORD_...))) and pass the address to the helpers.
 *
 * On x86_64 (a 64-bit build of the library made for testing only) the
 * helpers make a plain call with the argument in the first argument register.
 */
#ifndef PNR_CALL_H
#define PNR_CALL_H

#include <stdint.h>

#include "pnrCommon.h"

#define PNR_ORD_FILL_WND 1
#define PNR_ORD_SET_TOOL_BAR_HIDING_MODE 2
#define PNR_ORD_SET_OBJ_INSP_HIDING_MODE 3
#define PNR_ORD_GET_MAP_DATA 4
#define PNR_ORD_UN_HOOK_HOOKS 5
#define PNR_ORD_SET_HOOKS 6

#if defined(__i386__)
#if !defined(__GNUC__)
#error "pnrCall.h needs GCC or Clang on i386 (regparm); other compilers need their own thunk"
#endif
typedef uintptr_t(__attribute__((regparm(1))) * PnrRegisterFunction)(uintptr_t eax);
#else
typedef uintptr_t (*PnrRegisterFunction)(uintptr_t eax);
#endif

/* Calls an export with `eax` as its register argument; returns all of EAX. */
static inline uintptr_t PnrCallRaw(const void* function, uintptr_t eax) {
    return ((PnrRegisterFunction)(uintptr_t)function)(eax);
}

/* FillWnd (1): no argument, no result. */
static inline void PnrFillWnd(const void* function) { (void)PnrCallRaw(function, 0); }

/* SetToolBarHidingMode (2), SetObjInspHidingMode (3): a byte flag, 0 or 1. */
static inline void PnrCallFlag(const void* function, int on) {
    (void)PnrCallRaw(function, on ? 1u : 0u);
}

/* GetMapData (4): the shared block as mapped in this process. */
static inline SharedState* PnrGetMapData(const void* function) {
    return (SharedState*)PnrCallRaw(function, 0);
}

/* UnHookHooks (5): restore flag in, byte boolean out (only AL counts). */
static inline int PnrUnHookHooks(const void* function, int restore) {
    return (PnrCallRaw(function, restore ? 1u : 0u) & 0xFFu) != 0;
}

/* SetHooks (6): byte boolean out (only AL counts). */
static inline int PnrSetHooks(const void* function) {
    return (PnrCallRaw(function, 0) & 0xFFu) != 0;
}

#endif
