// Loads panorela.dll and calls its exports as the host does: by ordinal, in
// the register convention, with garbage in the upper bytes of EAX.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "pnrCommon.h"

enum ExportOrdinal {
    kFillWnd = 1,
    kSetToolBarHidingMode = 2,
    kSetObjInspHidingMode = 3,
    kGetMapData = 4,
    kUnHookHooks = 5,
    kSetHooks = 6,
};

// Upper bytes of EAX that a byte-flag export must ignore.
constexpr uint32_t kEaxGarbage = 0xA5C3E700;

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    HMODULE Module() const { return module_; }
    void Unload();

    // Calls an export; a flag goes in AL with kEaxGarbage above it.
    uintptr_t Call(int ordinal, uint8_t flag = 0);
    SharedState* MapData() { return reinterpret_cast<SharedState*>(Call(kGetMapData)); }
    void FillWnd() { Call(kFillWnd); }
    bool SetHooks() { return (Call(kSetHooks) & 0xFF) != 0; }
    bool UnHookHooks(bool restore) { return (Call(kUnHookHooks, restore) & 0xFF) != 0; }
    void SetToolBarHidingMode(bool on) { Call(kSetToolBarHidingMode, on); }
    void SetObjInspHidingMode(bool on) { Call(kSetObjInspHidingMode, on); }

    // False once any call has changed EBX, ESI, EDI, EBP or ESP.
    bool RegistersKept() const { return registersKept_; }

private:
    HMODULE module_ = nullptr;
    bool registersKept_ = true;
};
