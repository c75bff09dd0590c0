// What the stand-in IDE and the tests that drive it agree on.
#pragma once

#include <windows.h>

constexpr const char* kControlClass = "PnrStandInControl";
constexpr const char* kReplyMappingName = "PNR_STANDIN_REPLY";
constexpr unsigned kReplySize = 8192;
// Posted to the utility window: open a popup menu it owns.
constexpr UINT kOpenPopupMessage = WM_APP + 1;

// Client-area points that the stand-in paints in a colour found nowhere else
// on its screen, so a screenshot tells whether the window stands there: the
// empty end of the main window's component palette and a cell of the
// inspector's name column.
constexpr POINT kMainMarkPoint = {880, 58};
constexpr COLORREF kMainMarkColour = RGB(0xDC, 0xE6, 0xF2);
constexpr POINT kInspectorMarkPoint = {96, 330};
constexpr COLORREF kInspectorMarkColour = RGB(0xF4, 0xF1, 0xE4);
