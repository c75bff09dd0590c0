#include "settings_file.h"

#include <windows.h>

#include "paths.h"

namespace {

const char kSection[] = "Panorela";

const SettingInfo kSettings[kSettingCount] = {
    {"toolbar", "ToolBarHiding", "Hide the IDE main window (menu and tool bars)"},
    {"inspector", "ObjInspHiding", "Hide the object inspector"},
    {"fullheight", "InspectorFullHeight", "Give the inspector the full screen height"},
    {"hidewhenactive", "HideInspectorWhenActive", "Hide the inspector even while it is active"},
};

bool FileExists(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const SettingInfo& Setting(SettingId id) { return kSettings[id]; }

SettingId FindSetting(const char* word) {
    for (int id = 0; id < kSettingCount; ++id) {
        if (lstrcmpiA(word, kSettings[id].word) == 0) return static_cast<SettingId>(id);
    }
    return kSettingCount;
}

void SettingsPath(char* path, unsigned size) {
    const DWORD fromEnvironment = GetEnvironmentVariableA("PANORELA_SETTINGS", path, size);
    if (fromEnvironment > 0 && fromEnvironment < size) return;

    ProgramDirectory(path, size - 16);
    lstrcatA(path, "panorela.ini");
    if (FileExists(path)) return;

    const DWORD appData = GetEnvironmentVariableA("APPDATA", path, size - 32);
    if (appData == 0 || appData >= size - 32) {
        // No profile directory: keep the file beside the program.
        ProgramDirectory(path, size - 16);
        lstrcatA(path, "panorela.ini");
        return;
    }
    lstrcatA(path, "\\Panorela\\panorela.ini");
}

Settings LoadSettings(const char* path) {
    Settings settings;
    for (int id = 0; id < kSettingCount; ++id) {
        settings.value[id] = GetPrivateProfileIntA(kSection, kSettings[id].key, 0, path) == 1;
    }
    return settings;
}

bool SaveSettings(const char* path, const Settings& settings) {
    // WritePrivateProfileString creates the file but not its directory.
    char directory[MAX_PATH];
    lstrcpynA(directory, path, MAX_PATH);
    char* name = FileNameOf(directory);
    if (name > directory + 1) {  // a folder other than the root
        name[-1] = '\0';
        CreateDirectoryA(directory, nullptr);
    }
    bool written = true;
    for (int id = 0; id < kSettingCount; ++id) {
        written &= WritePrivateProfileStringA(kSection, kSettings[id].key,
                                              settings.value[id] ? "1" : "0", path) != FALSE;
    }
    // Flushes Windows' cache of the file, so another process reads it at once.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
    return written;
}
