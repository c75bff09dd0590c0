// Converting a coordinate between two DPI contexts: the one a hook's point
// was read in and the one of the IDE window being moved. Windows keeps one
// coordinate space per context and scales between them as MulDiv does.
#pragma once

#include <stdint.h>

// The DPI of a context that is not DPI-aware: Windows' logical pixels.
constexpr int32_t kLogicalDpi = 96;

// `value` * `toDpi` / `fromDpi`, rounded half away from zero; unchanged when
// either DPI is not positive. Widened, so that no product can wrap.
inline int32_t ScaleCoordinate(int32_t value, int32_t toDpi, int32_t fromDpi) {
    if (toDpi <= 0 || fromDpi <= 0 || toDpi == fromDpi) return value;
    const int64_t product = static_cast<int64_t>(value) * toDpi;
    const int64_t half = fromDpi / 2;
    const int64_t scaled = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
    if (scaled > INT32_MAX) return INT32_MAX;
    if (scaled < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(scaled);
}
