// Calls an export of panorela.dll exactly as the host does: the argument in
// EAX (whatever the caller leaves in its upper bytes), nothing on the stack,
// and checks that EBX, ESI, EDI, EBP and ESP come back unchanged.
//
// The 64-bit test build has no register convention to check: it makes a
// plain call with the argument in the first argument register.
#pragma once

#include <stdint.h>

struct RegisterCallResult {
    uintptr_t eax;         // the whole of EAX (RAX) on return
    bool registersKept;    // EBX, ESI, EDI, EBP and ESP survived the call
};

#if defined(__i386__)
extern "C" uint32_t PnrCallRegister(const void* function, uint32_t eax, uint32_t* registersKept);

inline RegisterCallResult CallRegister(const void* function, uint32_t eax) {
    uint32_t kept = 0;
    const uint32_t result = PnrCallRegister(function, eax, &kept);
    return {result, kept != 0};
}
#else
inline RegisterCallResult CallRegister(const void* function, uint32_t eax) {
    auto call = reinterpret_cast<uintptr_t (*)(uint32_t)>(const_cast<void*>(function));
    return {call(eax), true};
}
#endif
