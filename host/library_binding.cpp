#include "library_binding.h"

#include "console_output.h"
#include "exit_codes.h"
#include "paths.h"
#include "pnrCall.h"

namespace {

const char* const kExportNames[7] = {
    "",
    "FillWnd",
    "SetToolBarHidingMode",
    "SetObjInspHidingMode",
    "GetMapData",
    "UnHookHooks",
    "SetHooks",
};

}  // namespace

const char* ExportName(int ordinal) {
    return ordinal >= 1 && ordinal <= 6 ? kExportNames[ordinal] : "?";
}

PanorelaLibrary::~PanorelaLibrary() {
    if (module_) FreeLibrary(module_);
}

PanorelaLibrary::LoadResult PanorelaLibrary::Load() {
    // A full path, so that no other panorela.dll on the search path is taken.
    ProgramDirectory(path_, MAX_PATH - 16);
    lstrcatA(path_, "panorela.dll");
    module_ = LoadLibraryA(path_);
    if (!module_) {
        loadError_ = GetLastError();
        return LoadResult::kNotLoadable;
    }
    // An ordinal counts only when the export of that ordinal also carries the
    // expected name: any DLL has some function at ordinal 4.
    for (int ordinal = 1; ordinal <= 6; ++ordinal) {
        FARPROC byOrdinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        FARPROC byName = GetProcAddress(module_, kExportNames[ordinal]);
        if (byOrdinal && byOrdinal == byName) exports_[ordinal] = reinterpret_cast<const void*>(byOrdinal);
    }
    if (!exports_[PNR_ORD_GET_MAP_DATA]) return LoadResult::kForeign;
    state_ = PnrGetMapData(exports_[PNR_ORD_GET_MAP_DATA]);
    return state_ ? LoadResult::kLoaded : LoadResult::kForeign;
}

int PanorelaLibrary::FirstMissing(unsigned needed) const {
    for (int ordinal = 1; ordinal <= 6; ++ordinal) {
        if ((needed & ExportBit(ordinal)) && !exports_[ordinal]) return ordinal;
    }
    return 0;
}

void PanorelaLibrary::FillWnd() const {
    if (Export(PNR_ORD_FILL_WND)) PnrFillWnd(Export(PNR_ORD_FILL_WND));
}

bool PanorelaLibrary::SetHooks() const {
    return Export(PNR_ORD_SET_HOOKS) && PnrSetHooks(Export(PNR_ORD_SET_HOOKS));
}

bool PanorelaLibrary::UnHookHooks(bool restore) const {
    return Export(PNR_ORD_UN_HOOK_HOOKS) && PnrUnHookHooks(Export(PNR_ORD_UN_HOOK_HOOKS), restore);
}

void PanorelaLibrary::SetToolBarHidingMode(bool on) const {
    if (Export(PNR_ORD_SET_TOOL_BAR_HIDING_MODE)) PnrCallFlag(Export(PNR_ORD_SET_TOOL_BAR_HIDING_MODE), on);
}

void PanorelaLibrary::SetObjInspHidingMode(bool on) const {
    if (Export(PNR_ORD_SET_OBJ_INSP_HIDING_MODE)) PnrCallFlag(Export(PNR_ORD_SET_OBJ_INSP_HIDING_MODE), on);
}

int LoadLibraryFor(PanorelaLibrary& library, unsigned needed, const char* action) {
    switch (library.Load()) {
    case PanorelaLibrary::LoadResult::kNotLoadable:
        if (library.LoadError() == ERROR_BAD_EXE_FORMAT) {
            PrintError("panorela-host: %s is not a library this host can load (wrong architecture?)\n",
                       library.Path());
        } else {
            PrintError("panorela-host: cannot load %s (error %u); put panorela.dll beside panorela-host.exe\n",
                       library.Path(), static_cast<unsigned>(library.LoadError()));
        }
        return kExitNoLibrary;
    case PanorelaLibrary::LoadResult::kForeign:
        PrintError("panorela-host: %s is not a Panorela library: it has no export 4 (GetMapData)\n",
                   library.Path());
        return kExitForeignLibrary;
    case PanorelaLibrary::LoadResult::kLoaded:
        break;
    }
    if (const int missing = library.FirstMissing(needed)) {
        PrintError("panorela-host: %s has no export %d (%s), which \"%s\" needs; it is not a complete Panorela library\n",
                   library.Path(), missing, ExportName(missing), action);
        return kExitForeignLibrary;
    }
    return kExitOk;
}
