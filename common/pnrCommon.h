/* pnrCommon.h - what panorela.dll shares with its host.
 *
 * The host and the library are built against the same byte layout of the
 * shared block; every offset below is binding and pinned by a static
 * assertion. Usable from C and C++.
 */
#ifndef PNR_COMMON_H
#define PNR_COMMON_H

#include <stddef.h>
#include <stdint.h>

#define PNR_MAP_NAME "PANORELA_MAP_4.0"
#define PNR_MAP_SIZE 2028
#define PNR_TOGGLE_COMMAND 1025
#define PNR_HOST_FORM_CLASS "TfrmPanorela"

/* A length-prefixed single-byte string: Text[0] is the length (0..255). */
typedef struct PnrShortString {
    uint8_t Text[256];
} PnrShortString;

/* Handles are stored as 32-bit values: the library is 32-bit and handles of
 * windows and hooks are system-wide 32-bit values. */
typedef struct SharedState {
    uint32_t Reserved0;               /*   0 */
    uint32_t MouseHook;               /*   4 */
    uint32_t CallWndProcHook;         /*   8 */
    uint32_t GetMessageHook;          /*  12 */
    uint32_t InspectorWnd;            /*  16 */
    uint32_t AppBuilderWnd;           /*  20 */
    uint8_t ObjInspHiding;            /*  24 */
    uint8_t ToolBarHiding;            /*  25 */
    uint8_t HostFlagA;                /*  26 */
    uint8_t HostFlagB;                /*  27 */
    uint32_t HostValue;               /*  28 */
    uint8_t InspectorFullHeight;      /*  32 */
    uint8_t HideInspectorWhenActive;  /*  33 */
    uint8_t MenuActive;               /*  34 */
    uint8_t Reserved35;               /*  35 */
    int32_t WorkRight;                /*  36 */
    int32_t WorkBottom;               /*  40 */
    uint8_t HooksActive;              /*  44 */
    uint8_t Reserved45[3];            /*  45 */
    uint8_t Reserved48[20];           /*  48 */
    PnrShortString HostString1;       /*  68 */
    PnrShortString HostString2;       /* 324 */
    int32_t MainMenuBase;             /* 580 */
    int32_t InspMenuBase;             /* 584 */
    uint8_t IdleMark;                 /* 588 */
    uint8_t Reserved589[3];           /* 589 */
    uint32_t EditWnd;                 /* 592 */
    uint32_t LeftDownWnd;             /* 596 */
    uint32_t RightDownWnd;            /* 600 */
    uint8_t Reserved604[1424];        /* 604 .. 2027 */
} SharedState;

#ifdef __cplusplus
#define PNR_STATIC_ASSERT static_assert
#else
#define PNR_STATIC_ASSERT _Static_assert
#endif

PNR_STATIC_ASSERT(offsetof(SharedState, Reserved0) == 0, "Reserved0");
PNR_STATIC_ASSERT(offsetof(SharedState, MouseHook) == 4, "MouseHook");
PNR_STATIC_ASSERT(offsetof(SharedState, CallWndProcHook) == 8, "CallWndProcHook");
PNR_STATIC_ASSERT(offsetof(SharedState, GetMessageHook) == 12, "GetMessageHook");
PNR_STATIC_ASSERT(offsetof(SharedState, InspectorWnd) == 16, "InspectorWnd");
PNR_STATIC_ASSERT(offsetof(SharedState, AppBuilderWnd) == 20, "AppBuilderWnd");
PNR_STATIC_ASSERT(offsetof(SharedState, ObjInspHiding) == 24, "ObjInspHiding");
PNR_STATIC_ASSERT(offsetof(SharedState, ToolBarHiding) == 25, "ToolBarHiding");
PNR_STATIC_ASSERT(offsetof(SharedState, HostFlagA) == 26, "HostFlagA");
PNR_STATIC_ASSERT(offsetof(SharedState, HostFlagB) == 27, "HostFlagB");
PNR_STATIC_ASSERT(offsetof(SharedState, HostValue) == 28, "HostValue");
PNR_STATIC_ASSERT(offsetof(SharedState, InspectorFullHeight) == 32, "InspectorFullHeight");
PNR_STATIC_ASSERT(offsetof(SharedState, HideInspectorWhenActive) == 33, "HideInspectorWhenActive");
PNR_STATIC_ASSERT(offsetof(SharedState, MenuActive) == 34, "MenuActive");
PNR_STATIC_ASSERT(offsetof(SharedState, Reserved35) == 35, "Reserved35");
PNR_STATIC_ASSERT(offsetof(SharedState, WorkRight) == 36, "WorkRight");
PNR_STATIC_ASSERT(offsetof(SharedState, WorkBottom) == 40, "WorkBottom");
PNR_STATIC_ASSERT(offsetof(SharedState, HooksActive) == 44, "HooksActive");
PNR_STATIC_ASSERT(offsetof(SharedState, Reserved45) == 45, "Reserved45");
PNR_STATIC_ASSERT(offsetof(SharedState, Reserved48) == 48, "Reserved48");
PNR_STATIC_ASSERT(offsetof(SharedState, HostString1) == 68, "HostString1");
PNR_STATIC_ASSERT(offsetof(SharedState, HostString2) == 324, "HostString2");
PNR_STATIC_ASSERT(offsetof(SharedState, MainMenuBase) == 580, "MainMenuBase");
PNR_STATIC_ASSERT(offsetof(SharedState, InspMenuBase) == 584, "InspMenuBase");
PNR_STATIC_ASSERT(offsetof(SharedState, IdleMark) == 588, "IdleMark");
PNR_STATIC_ASSERT(offsetof(SharedState, Reserved589) == 589, "Reserved589");
PNR_STATIC_ASSERT(offsetof(SharedState, EditWnd) == 592, "EditWnd");
PNR_STATIC_ASSERT(offsetof(SharedState, LeftDownWnd) == 596, "LeftDownWnd");
PNR_STATIC_ASSERT(offsetof(SharedState, RightDownWnd) == 600, "RightDownWnd");
PNR_STATIC_ASSERT(offsetof(SharedState, Reserved604) == 604, "Reserved604");
PNR_STATIC_ASSERT(sizeof(SharedState) == PNR_MAP_SIZE, "block size");

#endif
