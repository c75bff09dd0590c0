// What the host does to the library, shared by the window and the command line.
#pragma once

#include "library_binding.h"
#include "settings_file.h"

enum class Activation { kActive, kNoIde, kHooksRefused };

// Writes one setting into the shared block. A hiding mode goes through its
// export only while the hooks are active: the export applies it at once, and
// a window hidden while no hook runs would have nothing to bring it back.
// While inactive the mode byte is stored, and SetHooks applies it.
void ApplySetting(const PanorelaLibrary& library, SettingId id, bool on);
void ApplySettings(const PanorelaLibrary& library, const Settings& settings);
bool BlockSetting(const PanorelaLibrary& library, SettingId id);

Activation Activate(const PanorelaLibrary& library);
const char* ActivationText(Activation activation);

bool IsActive(const PanorelaLibrary& library);
bool IdeRunning();
