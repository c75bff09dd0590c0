// The run command's host: loads panorela.dll as a host does and drives it
// from the command line, printing what the shared block holds.
//   demo status               print the block
//   demo fill                 run window discovery, then print the block
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "host.h"

namespace {

void Print(const SharedState* s) {
    printf("  AppBuilderWnd   0x%08lx\n", static_cast<unsigned long>(s->AppBuilderWnd));
    printf("  EditWnd         0x%08lx\n", static_cast<unsigned long>(s->EditWnd));
    printf("  InspectorWnd    0x%08lx\n", static_cast<unsigned long>(s->InspectorWnd));
    printf("  ToolBarHiding   %u   ObjInspHiding %u   HooksActive %u   MenuActive %u\n",
           s->ToolBarHiding, s->ObjInspHiding, s->HooksActive, s->MenuActive);
    printf("  WorkRight       %ld   WorkBottom %ld\n", static_cast<long>(s->WorkRight),
           static_cast<long>(s->WorkBottom));
    printf("  hooks           mouse 0x%lx  callwndproc 0x%lx  getmessage 0x%lx\n",
           static_cast<unsigned long>(s->MouseHook), static_cast<unsigned long>(s->CallWndProcHook),
           static_cast<unsigned long>(s->GetMessageHook));
}

void PrintWindow(const char* role, uint32_t handle) {
    HWND wnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    RECT r;
    if (handle && GetWindowRect(wnd, &r)) {
        printf("  %-10s at %5ld,%5ld  %4ld x %4ld\n", role, r.left, r.top, r.right - r.left,
               r.bottom - r.top);
    } else {
        printf("  %-10s not found\n", role);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* verb = argc > 1 ? argv[1] : "status";
    Host host;
    if (!host.Loaded()) {
        fprintf(stderr, "demo: cannot load panorela.dll\n");
        return 2;
    }
    SharedState* state = host.MapData();
    if (!state) {
        fprintf(stderr, "demo: panorela.dll has no shared block in this process\n");
        return 2;
    }
    if (strcmp(verb, "fill") == 0) {
        host.FillWnd();
    } else if (strcmp(verb, "status") != 0) {
        fprintf(stderr, "demo: unknown command '%s'\n", verb);
        return 2;
    }
    printf("panorela block after '%s':\n", verb);
    Print(state);
    PrintWindow("main", state->AppBuilderWnd);
    PrintWindow("inspector", state->InspectorWnd);
    PrintWindow("editor", state->EditWnd);
    return 0;
}
