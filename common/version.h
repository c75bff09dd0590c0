// One version for every version resource and for the release package,
// shared by the library, the host and their tests.
#pragma once

#define PNR_VERSION_MAJOR 4
#define PNR_VERSION_MINOR 0
#define PNR_VERSION_PATCH 0
#define PNR_VERSION_STRING "4.0.0"
