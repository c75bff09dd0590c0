// A small xorshift generator for the random tests: the same seed gives the
// same stream, so a failure can be replayed.
#pragma once

#include <stdint.h>

struct Random {
    uint64_t s;
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 16);
    }
    uint32_t below(uint32_t n) { return next() % n; }
    bool chance(uint32_t percent) { return below(100) < percent; }
};
