// Prints every field of SharedState from pnrCommon.h as "name offset size",
// then the record's size, in the same form as layout_pascal.pas.
#include <cstddef>
#include <cstdio>

#include "pnrCommon.h"

#define FIELD(name) \
    std::printf("%s %u %u\n", #name, unsigned(offsetof(SharedState, name)), \
                unsigned(sizeof(SharedState::name)))

int main() {
    FIELD(Reserved0);
    FIELD(MouseHook);
    FIELD(CallWndProcHook);
    FIELD(GetMessageHook);
    FIELD(InspectorWnd);
    FIELD(AppBuilderWnd);
    FIELD(ObjInspHiding);
    FIELD(ToolBarHiding);
    FIELD(HostFlagA);
    FIELD(HostFlagB);
    FIELD(HostValue);
    FIELD(InspectorFullHeight);
    FIELD(HideInspectorWhenActive);
    FIELD(MenuActive);
    FIELD(Reserved35);
    FIELD(WorkRight);
    FIELD(WorkBottom);
    FIELD(HooksActive);
    FIELD(Reserved45);
    FIELD(Reserved48);
    FIELD(HostString1);
    FIELD(HostString2);
    FIELD(MainMenuBase);
    FIELD(InspMenuBase);
    FIELD(IdleMark);
    FIELD(Reserved589);
    FIELD(EditWnd);
    FIELD(LeftDownWnd);
    FIELD(RightDownWnd);
    FIELD(Reserved604);
    std::printf("SharedState 0 %u\n", unsigned(sizeof(SharedState)));
    std::printf("PNR_MAP_SIZE %u\n", unsigned(PNR_MAP_SIZE));
    std::printf("PNR_TOGGLE_COMMAND %u\n", unsigned(PNR_TOGGLE_COMMAND));
    std::printf("PNR_MAP_NAME %s\n", PNR_MAP_NAME);
    std::printf("PNR_HOST_FORM_CLASS %s\n", PNR_HOST_FORM_CLASS);
    return 0;
}
