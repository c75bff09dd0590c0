// What the two comparison DLLs of the benchmark export: install and remove
// their three system-wide hooks. Plain C calls, the platform's convention.
#pragma once

#include <windows.h>

extern "C" {
typedef BOOL(WINAPI* BenchInstallFn)(void);
typedef BOOL(WINAPI* BenchRemoveFn)(void);
}
