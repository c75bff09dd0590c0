// The host's four settings and the small INI file that keeps them between
// runs. The library itself reads and writes no file; this file is the host's.
#pragma once

enum SettingId { kToolBarHiding, kObjInspHiding, kInspectorFullHeight, kHideInspectorWhenActive, kSettingCount };

struct SettingInfo {
    const char* word;   // as typed on the command line: "toolbar"
    const char* key;    // key in the file and field name in the block
    const char* label;  // check box caption
};

const SettingInfo& Setting(SettingId id);
// The setting whose command-line word is `word` (any letter case), or kSettingCount.
SettingId FindSetting(const char* word);

struct Settings {
    bool value[kSettingCount] = {};
};

// PANORELA_SETTINGS if set; else panorela.ini beside the program if one is
// there (a portable install); else %APPDATA%\Panorela\panorela.ini.
void SettingsPath(char* path, unsigned size);

Settings LoadSettings(const char* path);
// Creates the file's directory when needed; false when the file cannot be written.
bool SaveSettings(const char* path, const Settings& settings);
