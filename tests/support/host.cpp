#include "host.h"

#include "register_call.h"

Host::Host() { module_ = LoadLibraryA("panorela.dll"); }

Host::~Host() { Unload(); }

void Host::Unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

uintptr_t Host::Call(int ordinal, uint8_t flag) {
    if (!module_) return 0;
    FARPROC function = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
    if (!function) return 0;
    const RegisterCallResult result =
        CallRegister(reinterpret_cast<const void*>(function), kEaxGarbage | flag);
    if (!result.registersKept) registersKept_ = false;
    return result.eax;
}
