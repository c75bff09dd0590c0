#include "library_binding.h"

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

void ProgramDirectory(char* directory, DWORD size) {
    const DWORD length = GetModuleFileNameA(nullptr, directory, size);
    directory[length < size ? length : 0] = '\0';
    char* slash = nullptr;
    for (char* p = directory; *p; ++p) {
        if (*p == '\\' || *p == '/') slash = p;
    }
    if (slash) {
        slash[1] = '\0';
    } else {
        directory[0] = '\0';
    }
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
