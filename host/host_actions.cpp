#include "host_actions.h"

#include <windows.h>

namespace {

uint8_t* Field(SharedState* state, SettingId id) {
    switch (id) {
    case kToolBarHiding: return &state->ToolBarHiding;
    case kObjInspHiding: return &state->ObjInspHiding;
    case kInspectorFullHeight: return &state->InspectorFullHeight;
    default: return &state->HideInspectorWhenActive;
    }
}

}  // namespace

void ApplySetting(const PanorelaLibrary& library, SettingId id, bool on) {
    SharedState* state = library.State();
    const bool active = state->HooksActive != 0;
    if (active && id == kToolBarHiding) {
        library.SetToolBarHidingMode(on);
    } else if (active && id == kObjInspHiding) {
        library.SetObjInspHidingMode(on);
    } else {
        *Field(state, id) = on ? 1 : 0;
    }
}

void ApplySettings(const PanorelaLibrary& library, const Settings& settings) {
    for (int id = 0; id < kSettingCount; ++id) {
        const SettingId setting = static_cast<SettingId>(id);
        if (BlockSetting(library, setting) != settings.value[id]) ApplySetting(library, setting, settings.value[id]);
    }
}

bool BlockSetting(const PanorelaLibrary& library, SettingId id) {
    return *Field(library.State(), id) != 0;
}

Activation Activate(const PanorelaLibrary& library) {
    if (library.SetHooks()) return Activation::kActive;
    // SetHooks ran FillWnd first: no main window stored means no IDE.
    return library.State()->AppBuilderWnd == 0 ? Activation::kNoIde : Activation::kHooksRefused;
}

const char* ActivationText(Activation activation) {
    switch (activation) {
    case Activation::kActive: return "active";
    case Activation::kNoIde: return "activation refused: the IDE main window (TAppBuilder) was not found";
    default: return "activation refused: the system did not install the hooks";
    }
}

bool IsActive(const PanorelaLibrary& library) { return library.State()->HooksActive != 0; }

bool IdeRunning() { return FindWindowA("TAppBuilder", nullptr) != nullptr; }
