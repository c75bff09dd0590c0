// The host's settings window (class TfrmPanorela), its notification-area
// icon and the message loop that keeps the library's hooks alive.
#pragma once

#include "library_binding.h"

// Runs until the user or a "quit" command ends the host; the library must be
// loaded with all six exports. Returns the program's exit code.
int RunSettingsWindow(const PanorelaLibrary& library, bool showWindow);
