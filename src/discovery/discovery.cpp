#include "discovery.h"

#include "../exports.h"
#include "../state/shared_state.h"
#include "class_name.h"
#include "text_match.h"

// The inspector stands alone or in one of the IDE's two dock hosts.
static const char* const kInspectorClasses[] = {"TPROPERTYINSPECTOR", "TTABDOCKHOSTFORM",
                                                "TJOINDOCKFORM"};
// Its caption in the IDE's English, French and German wording.
static const char* const kInspectorCaptions[] = {"OBJECT INSPECTOR", "INSPECTEUR D'OBJETS",
                                                 "OBJEKTINSPEKTOR"};

static bool MatchesAny(const char* text, int length, const char* const (&literals)[3], bool whole) {
    for (const char* literal : literals) {
        if (whole ? TextEquals(text, length, literal) : TextContains(text, length, literal)) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK InspectorEnumProc(HWND wnd, LPARAM) {
    char className[kNameBufferSize];
    const int classLength = FetchUpperClassName(wnd, className);
    if (classLength == 0) return TRUE;
    // The class first: reading a caption sends WM_GETTEXT to the window's
    // thread, which only the three candidate classes are worth.
    if (!MatchesAny(className, classLength, kInspectorClasses, true)) return TRUE;

    char caption[kNameBufferSize];
    const int captionLength = GetWindowTextA(wnd, caption, kNameBufferSize);
    if (captionLength <= 0) return TRUE;

    CharUpperBuffA(caption, static_cast<DWORD>(captionLength));
    if (!MatchesAny(caption, captionLength, kInspectorCaptions, false)) return TRUE;

    g_state->InspectorWnd = WndValue(wnd);
    return FALSE;
}

PNR_EXPORT void FillWnd() {
    if (!g_state) return;
    g_state->EditWnd = WndValue(FindWindowA("TEditWindow", nullptr));
    g_state->AppBuilderWnd = WndValue(FindWindowA("TAppBuilder", nullptr));
    g_state->InspectorWnd = 0;
    EnumWindows(InspectorEnumProc, 0);
}

namespace {

// When this process last searched from a hook; searched: whether it has.
DWORD g_lastHookSearch;
bool g_hookSearched;

bool MaySearch(Rediscovery when) {
    if (when == Rediscovery::Always) return true;
    const DWORD now = GetTickCount();
    if (g_hookSearched && now - g_lastHookSearch < kHookSearchIntervalMs) return false;
    g_hookSearched = true;
    g_lastHookSearch = now;
    return true;
}

}  // namespace

bool ReadWindowRect(const uint32_t* field, RECT* rect, Rediscovery when) {
    if (GetWindowRect(AsWnd(*field), rect)) return true;
    if (!MaySearch(when)) return false;
    FillWnd();
    return GetWindowRect(AsWnd(*field), rect) != 0;
}
