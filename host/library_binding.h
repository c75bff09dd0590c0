// panorela.dll as the host sees it: loaded from the host's own directory,
// its six exports resolved by ordinal and called in the register convention.
#pragma once

#include <windows.h>

#include "pnrCall.h"
#include "pnrCommon.h"

// One bit per export ordinal, for saying which exports an action needs.
constexpr unsigned ExportBit(int ordinal) { return 1u << ordinal; }
constexpr unsigned kAllExports = 0x7Eu;  // ordinals 1 to 6

const char* ExportName(int ordinal);

class PanorelaLibrary {
public:
    enum class LoadResult { kLoaded, kNotLoadable, kForeign };

    PanorelaLibrary() = default;
    ~PanorelaLibrary();
    PanorelaLibrary(const PanorelaLibrary&) = delete;
    PanorelaLibrary& operator=(const PanorelaLibrary&) = delete;

    // Loads panorela.dll from the directory of the running program. A
    // library without GetMapData is foreign: nothing of the host works then.
    LoadResult Load();
    const char* Path() const { return path_; }
    DWORD LoadError() const { return loadError_; }

    // The first ordinal in `needed` that the library does not export, or 0.
    int FirstMissing(unsigned needed) const;

    SharedState* State() const { return state_; }
    void FillWnd() const;
    bool SetHooks() const;
    bool UnHookHooks(bool restore) const;
    void SetToolBarHidingMode(bool on) const;
    void SetObjInspHidingMode(bool on) const;

private:
    const void* Export(int ordinal) const { return exports_[ordinal]; }

    HMODULE module_ = nullptr;
    DWORD loadError_ = 0;
    SharedState* state_ = nullptr;
    const void* exports_[7] = {};
    char path_[MAX_PATH] = {};
};

// Loads panorela.dll and checks that it has the exports in `needed` (see
// ExportBit); reports what is wrong on standard error and returns the exit
// code, kExitOk when the library is usable. `action` names what needs it.
int LoadLibraryFor(PanorelaLibrary& library, unsigned needed, const char* action);
