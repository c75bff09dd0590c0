// The host's settings window (class TfrmPanorela) and its notification-area
// icon: the four settings, Activate, Deactivate, Exit and the status line.
// What they do is the resident host's (resident_host.h).
#pragma once

#include "resident_host.h"

// Creates the window for `host` and attaches it there; shown at once when
// `show`, else only in the notification area. nullptr if it cannot be made.
ResidentWindow* CreateSettingsWindow(ResidentHost& host, bool show);
