// What the stand-in IDE and the tests that drive it agree on.
#pragma once

#include <windows.h>

constexpr const char* kControlClass = "PnrStandInControl";
constexpr const char* kReplyMappingName = "PNR_STANDIN_REPLY";
constexpr unsigned kReplySize = 8192;
// Posted to the utility window: open a popup menu it owns.
constexpr UINT kOpenPopupMessage = WM_APP + 1;
