#include "desk.h"

namespace {

// Pixels of `r` on the monitor; unsigned 64 bits hold any product of two
// 32-bit spans.
uint64_t SharedArea(const Rect& r, const Rect& area) {
    const int64_t w = static_cast<int64_t>(r.right < area.right ? r.right : area.right) -
                      (r.left > area.left ? r.left : area.left);
    const int64_t h = static_cast<int64_t>(r.bottom < area.bottom ? r.bottom : area.bottom) -
                      (r.top > area.top ? r.top : area.top);
    if (w <= 0 || h <= 0) return 0;
    return static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
}

// How far apart the two rectangles lie, across and down added up.
int64_t Gap(const Rect& r, const Rect& area) {
    int64_t across = 0, down = 0;
    if (r.right <= area.left) across = static_cast<int64_t>(area.left) - r.right + 1;
    if (r.left >= area.right) across = static_cast<int64_t>(r.left) - area.right + 1;
    if (r.bottom <= area.top) down = static_cast<int64_t>(area.top) - r.bottom + 1;
    if (r.top >= area.bottom) down = static_cast<int64_t>(r.top) - area.bottom + 1;
    return across + down;
}

}  // namespace

const Monitor& MonitorHoldingMost(const Desk& desk, const Rect& r) {
    int32_t best = 0;
    uint64_t bestArea = 0;
    for (int32_t i = 0; i < desk.count; ++i) {
        const uint64_t area = SharedArea(r, desk.monitors[i].area);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (bestArea > 0) return desk.monitors[best];
    int64_t bestGap = Gap(r, desk.monitors[0].area);
    for (int32_t i = 1; i < desk.count; ++i) {
        const int64_t gap = Gap(r, desk.monitors[i].area);
        if (gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return desk.monitors[best];
}

bool ReachesAnotherMonitor(const Desk& desk, const Monitor& home, const Rect& r) {
    for (int32_t i = 0; i < desk.count; ++i) {
        const Monitor& m = desk.monitors[i];
        if (&m != &home && Overlap(r, m.area)) return true;
    }
    return false;
}

PointerPlace WhereIsPointer(const Desk& desk, const Monitor& home, int32_t x, int32_t y) {
    if (Contains(home.area, x, y)) return PointerPlace::Home;
    for (int32_t i = 0; i < desk.count; ++i) {
        if (Contains(desk.monitors[i].area, x, y)) return PointerPlace::OtherMonitor;
    }
    return PointerPlace::Nowhere;
}

bool InTopCorner(const Desk& desk, int32_t x, int32_t y) {
    // The monitor under the pointer has no gap to it; otherwise the nearest.
    int32_t best = 0;
    int64_t bestGap = INT64_MAX;
    for (int32_t i = 0; i < desk.count; ++i) {
        const Rect& area = desk.monitors[i].area;
        int64_t gap = 0;
        if (x < area.left) gap += static_cast<int64_t>(area.left) - x;
        if (x >= area.right) gap += static_cast<int64_t>(x) - area.right + 1;
        if (y < area.top) gap += static_cast<int64_t>(area.top) - y;
        if (y >= area.bottom) gap += static_cast<int64_t>(y) - area.bottom + 1;
        if (gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return InTopCorner(x, y, desk.monitors[best].work);
}
