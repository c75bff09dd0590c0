// The six exports share one calling convention with the host: the argument,
// if any, in EAX (a byte flag in AL, upper bytes undefined), the result in
// EAX (a byte boolean in AL), nothing on the stack, EBX/ESI/EDI/EBP kept.
// GCC's regparm(1) on i386 is exactly that convention.
#pragma once

#include <stdint.h>

#include "pnrCommon.h"

#if defined(__i386__)
#define PNR_EXPORT extern "C" __attribute__((regparm(1)))
#else
// The 64-bit build exists only to run the tests on machines without 32-bit
// execution; it uses the platform's own convention.
#define PNR_EXPORT extern "C"
#endif

// A byte flag arrives in AL; the rest of EAX is whatever the caller left.
inline uint8_t FlagFromEax(uint32_t eax) { return static_cast<uint8_t>(eax & 0xFF); }

PNR_EXPORT void FillWnd();
PNR_EXPORT SharedState* GetMapData();
PNR_EXPORT void SetToolBarHidingMode(uint32_t eax);
PNR_EXPORT void SetObjInspHidingMode(uint32_t eax);
PNR_EXPORT uint8_t UnHookHooks(uint32_t eax);
PNR_EXPORT uint8_t SetHooks();
