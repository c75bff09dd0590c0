// Which bytes of the shared block belong to the host.
#pragma once

// The fields of the block that only the host writes, and the reserved
// bytes: neither the exports nor the hooks may change any of them. (The
// length bytes of the two strings are the library's: GetMapData empties them.)
inline bool HostOwned(int offset) {
    if (offset < 4) return true;                     // reserved
    if (offset >= 26 && offset < 34) return true;    // HostFlagA/B, HostValue, the two settings
    if (offset == 35) return true;                   // reserved
    if (offset >= 45 && offset < 68) return true;    // reserved
    if (offset > 68 && offset < 324) return true;    // HostString1's characters
    if (offset > 324 && offset < 580) return true;   // HostString2's characters
    if (offset >= 589 && offset < 592) return true;  // reserved
    return offset >= 604;                            // reserved to the end
}
