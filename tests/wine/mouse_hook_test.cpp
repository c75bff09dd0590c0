// The mouse hook procedure and its activity guard, called directly with real
// windows and real MOUSEHOOKSTRUCT records. The block's hook handles are 0,
// so a message passed on returns CallNextHookEx's 0 and a consumed one 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooks/mouse_hook.h"
#include "stand_in.h"
#include "state/shared_state.h"
#include "test_windows.h"

namespace {

constexpr int32_t kWorkRight = 1024;

LRESULT Send(UINT message, HWND target, int x = 100, int y = 100, int code = HC_ACTION) {
    MOUSEHOOKSTRUCT mouse = {};
    mouse.pt.x = x;
    mouse.pt.y = y;
    mouse.hwnd = target;
    mouse.wHitTestCode = message < WM_MOUSEFIRST ? HTCAPTION : HTCLIENT;
    return MouseHookProc(code, message, reinterpret_cast<LPARAM>(&mouse));
}

// Escape keys waiting in the queue of `wnd`, which belongs to this thread.
int TakeEscapes(HWND wnd) {
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, wnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
        EXPECT_EQ(msg.lParam, 0);
        ++count;
    }
    return count;
}

class MouseHook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!g_state) OpenSharedState();
    }

    void SetUp() override {
        ASSERT_NE(g_state, nullptr);
        inspector = MakeWindow("TPropertyInspector", "", 0, 100, 200, 500);
        main = MakeWindow("TAppBuilder", "", 0, 0, kWorkRight, 100);
        other = MakeWindow("TSomeoneElse", "", 300, 300, 200, 200);
        ASSERT_TRUE(inspector && main && other);
        state = g_state;
        state->MouseHook = 0;
        state->InspectorWnd = WndValue(inspector);
        state->AppBuilderWnd = WndValue(main);
        state->ObjInspHiding = 0;
        state->ToolBarHiding = 0;
        state->InspectorFullHeight = 0;
        state->HideInspectorWhenActive = 1;
        state->LeftDownWnd = 0;
        state->RightDownWnd = 0;
        state->IdleMark = 1;
        state->MenuActive = 0;
        // Clears the desktop-wide "pressed since the last query" bits.
        GetAsyncKeyState(VK_LBUTTON);
        GetAsyncKeyState(VK_RBUTTON);
        TakeEscapes(inspector);
    }

    void TearDown() override {
        for (HWND wnd : {inspector, main, other}) DestroyWindow(wnd);
        state->LeftDownWnd = 0;
        state->RightDownWnd = 0;
    }

    SharedState* state = nullptr;
    HWND inspector = nullptr;
    HWND main = nullptr;
    HWND other = nullptr;
};

// ---- Chords -----------------------------------------------------------

enum Target { kNone, kInspector, kMain, kOther, kUtility };

struct Press {
    UINT message;
    Target target;
    LRESULT result;
};

struct ChordCase {
    const char* name;
    std::vector<Press> presses;
    uint8_t objInspHiding;
    uint8_t toolBarHiding;
    int escapes;
    Target leftPending;
    Target rightPending;
};

void PrintTo(const ChordCase& c, std::ostream* out) { *out << c.name; }

class Chord : public MouseHook, public ::testing::WithParamInterface<ChordCase> {
protected:
    HWND Window(Target target) {
        switch (target) {
            case kInspector: return inspector;
            case kMain: return main;
            case kOther: return other;
            case kUtility:
                if (!utility) utility = MakeWindow("TPUtilWindow", "", 0, 0, 0, 0);
                return utility;
            case kNone: break;
        }
        return nullptr;
    }
    void TearDown() override {
        if (utility) DropWindow(utility);
        MouseHook::TearDown();
    }
    HWND utility = nullptr;
};

TEST_P(Chord, PressSequence) {
    const ChordCase& c = GetParam();
    const RECT inspectorBefore = RectOf(inspector), mainBefore = RectOf(main);
    for (size_t i = 0; i < c.presses.size(); ++i) {
        const Press& p = c.presses[i];
        EXPECT_EQ(Send(p.message, Window(p.target)), p.result) << "press " << i;
    }
    EXPECT_EQ(state->ObjInspHiding, c.objInspHiding);
    EXPECT_EQ(state->ToolBarHiding, c.toolBarHiding);
    EXPECT_EQ(TakeEscapes(inspector), c.escapes);
    EXPECT_EQ(TakeEscapes(main), 0);  // the Escape never goes to the main window
    EXPECT_EQ(state->LeftDownWnd, WndValue(Window(c.leftPending)));
    EXPECT_EQ(state->RightDownWnd, WndValue(Window(c.rightPending)));
    // A chord changes the mode only; the windows stay put.
    const RECT inspectorAfter = RectOf(inspector), mainAfter = RectOf(main);
    EXPECT_TRUE(EqualRect(&inspectorBefore, &inspectorAfter));
    EXPECT_TRUE(EqualRect(&mainBefore, &mainAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Chord,
    ::testing::Values(
        ChordCase{"InspectorCaptionThenClientRight",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_RBUTTONDOWN, kInspector, 1}},
                  1, 0, 1, kNone, kNone},
        ChordCase{"InspectorCaptionThenCaptionRight",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_NCRBUTTONDOWN, kInspector, 1}},
                  1, 0, 1, kNone, kNone},
        ChordCase{"InspectorRightFirstThenClientLeft",
                  {{WM_NCRBUTTONDOWN, kInspector, 0}, {WM_LBUTTONDOWN, kInspector, 1}},
                  1, 0, 1, kNone, kNone},
        ChordCase{"MainCaptionThenClientRight",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_RBUTTONDOWN, kMain, 1}},
                  0, 1, 1, kNone, kNone},
        ChordCase{"MainRightFirstThenCaptionLeft",
                  {{WM_NCRBUTTONDOWN, kMain, 0}, {WM_NCLBUTTONDOWN, kMain, 1}},
                  0, 1, 1, kNone, kNone},
        ChordCase{"TwoChordsRestoreTheMode",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_RBUTTONDOWN, kMain, 1},
                   {WM_NCLBUTTONDOWN, kMain, 0}, {WM_NCRBUTTONDOWN, kMain, 1}},
                  0, 0, 2, kNone, kNone},
        ChordCase{"ReleaseBetweenThenCaptionRight",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_NCLBUTTONUP, kInspector, 0},
                   {WM_NCRBUTTONDOWN, kInspector, 0}},
                  0, 0, 0, kNone, kInspector},
        ChordCase{"ClientReleaseBetweenThenClientRight",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_LBUTTONUP, kInspector, 0},
                   {WM_RBUTTONDOWN, kInspector, 0}},
                  0, 0, 0, kNone, kNone},
        ChordCase{"ClientPressesOnly",
                  {{WM_LBUTTONDOWN, kInspector, 0}, {WM_RBUTTONDOWN, kInspector, 0},
                   {WM_RBUTTONDOWN, kMain, 0}, {WM_LBUTTONDOWN, kMain, 0}},
                  0, 0, 0, kNone, kNone},
        ChordCase{"DoubleClickMiddleAndWheelBetween",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_NCLBUTTONDBLCLK, kMain, 0},
                   {WM_MBUTTONDOWN, kMain, 0}, {WM_MOUSEWHEEL, kMain, 0},
                   {WM_RBUTTONDOWN, kMain, 1}},
                  0, 1, 1, kNone, kNone},
        ChordCase{"DoubleClickLeavesPendingPress",
                  {{WM_NCRBUTTONDOWN, kInspector, 0}, {WM_LBUTTONDBLCLK, kInspector, 0}},
                  0, 0, 0, kNone, kInspector},
        ChordCase{"ChordOnANonIdeWindow",
                  {{WM_NCLBUTTONDOWN, kOther, 0}, {WM_RBUTTONDOWN, kOther, 0}},
                  0, 0, 0, kNone, kNone},
        ChordCase{"CaptionPressesOnTwoWindows",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_NCRBUTTONDOWN, kInspector, 0}},
                  0, 0, 0, kNone, kInspector},
        ChordCase{"UtilityClientRightCompletesMainChord",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_RBUTTONDOWN, kUtility, 1}},
                  0, 1, 1, kNone, kNone},
        ChordCase{"UtilityClientRightCompletesInspectorChord",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_RBUTTONDOWN, kUtility, 1}},
                  1, 0, 1, kNone, kNone},
        ChordCase{"UtilityCaptionRightLeavesRightPending",
                  {{WM_NCLBUTTONDOWN, kMain, 0}, {WM_NCRBUTTONDOWN, kUtility, 0}},
                  0, 0, 0, kNone, kUtility},
        ChordCase{"UtilityClientLeftAfterRightEnds",
                  {{WM_NCRBUTTONDOWN, kMain, 0}, {WM_LBUTTONDOWN, kUtility, 0}},
                  0, 0, 0, kNone, kNone},
        ChordCase{"NewerLeftPressReplacesTheOlder",
                  {{WM_NCLBUTTONDOWN, kInspector, 0}, {WM_NCLBUTTONDOWN, kMain, 0}},
                  0, 0, 0, kMain, kNone}),
    [](const ::testing::TestParamInfo<ChordCase>& info) { return std::string(info.param.name); });

TEST_F(MouseHook, UtilityTestUpperCasesTheClassName) {
    struct Variant {
        const char* className;
        bool chord;
    };
    const Variant variants[] = {{"TPUtilWindow", true}, {"tputilwindow", true},
                                {"TPUTILWINDOW", true}, {"tPuTiLwInDoW", true},
                                {"TPUtilWindowX", false}, {"TPUtilWindo", false},
                                {"TPUtil Window", false}};
    for (const Variant& v : variants) {
        HWND util = MakeWindow(v.className, "", 0, 0, 0, 0);
        ASSERT_EQ(ClassOf(util), v.className);
        state->ToolBarHiding = 0;
        EXPECT_EQ(Send(WM_NCLBUTTONDOWN, main), 0);
        EXPECT_EQ(Send(WM_RBUTTONDOWN, util), v.chord ? 1 : 0) << v.className;
        EXPECT_EQ(state->ToolBarHiding, v.chord ? 1 : 0) << v.className;
        EXPECT_EQ(TakeEscapes(inspector), v.chord ? 1 : 0) << v.className;
        EXPECT_EQ(state->LeftDownWnd, 0u);
        EXPECT_EQ(state->RightDownWnd, 0u);

        // A caption press on it never applies the test.
        EXPECT_EQ(Send(WM_NCLBUTTONDOWN, main), 0);
        EXPECT_EQ(Send(WM_NCRBUTTONDOWN, util), 0) << v.className;
        EXPECT_EQ(state->RightDownWnd, WndValue(util));
        EXPECT_EQ(state->ToolBarHiding, v.chord ? 1 : 0);
        DropWindow(util);
    }
}

TEST_F(MouseHook, ChordOnAnotherProgramsCaption) {
    StandIn ide("--empty");
    ASSERT_TRUE(ide.Started());
    HWND foreign = ide.Create("TForeignForm", "Another program", 400, 400, 200, 150, false);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(Send(WM_NCLBUTTONDOWN, foreign), 0);
    EXPECT_EQ(state->LeftDownWnd, WndValue(foreign));
    EXPECT_EQ(Send(WM_NCRBUTTONDOWN, foreign), 0);
    EXPECT_EQ(state->LeftDownWnd, 0u);
    EXPECT_EQ(state->RightDownWnd, 0u);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(state->ToolBarHiding, 0);
    EXPECT_EQ(TakeEscapes(inspector), 0);
    PumpFor(100);
    EXPECT_EQ(ide.MessageCount(foreign, WM_KEYDOWN), 0);
}

TEST_F(MouseHook, OtherHookCodesArePassedOnUntouched) {
    for (const int code : {HC_NOREMOVE, -1}) {
        EXPECT_EQ(Send(WM_NCLBUTTONDOWN, inspector, 100, 100, code), 0);
        EXPECT_EQ(state->LeftDownWnd, 0u);
        state->LeftDownWnd = WndValue(inspector);
        EXPECT_EQ(Send(WM_RBUTTONDOWN, inspector, 100, 100, code), 0);
        EXPECT_EQ(state->LeftDownWnd, WndValue(inspector));
        EXPECT_EQ(state->ObjInspHiding, 0);
        EXPECT_EQ(Send(WM_MOUSEMOVE, inspector, 500, 600, code), 0);
        EXPECT_EQ(state->IdleMark, 1);
        state->LeftDownWnd = 0;
    }
    EXPECT_EQ(TakeEscapes(inspector), 0);
}

TEST_F(MouseHook, InertWhereTheBlockIsNotMapped) {
    state->LeftDownWnd = WndValue(inspector);
    state->ObjInspHiding = 1;
    Place(inspector, 824, 100, 200, 500);
    g_state = nullptr;
    const LRESULT press = Send(WM_RBUTTONDOWN, inspector);
    const LRESULT move = Send(WM_MOUSEMOVE, inspector, 500, 600);
    const bool slide = CanSlide();
    g_state = state;
    EXPECT_EQ(press, 0);
    EXPECT_EQ(move, 0);
    EXPECT_FALSE(slide);
    EXPECT_EQ(state->LeftDownWnd, WndValue(inspector));
    EXPECT_EQ(state->ObjInspHiding, 1);
    EXPECT_EQ(state->IdleMark, 1);
    EXPECT_EQ(RectOf(inspector).left, 824);
    EXPECT_EQ(TakeEscapes(inspector), 0);
}

// ---- Mouse moves ----------------------------------------------------------

struct MoveCase {
    UINT message;
    int x;
    int y;
    int inspectorLeft;  // shown against the right edge (824) or the left (0)
    int expectedLeft;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ") inspector at " << c.inspectorLeft;
}

class Move : public MouseHook, public ::testing::WithParamInterface<MoveCase> {};

// The inspector trigger hides a shown inspector for any of these x values
// unless the corner test stops the move first.
TEST_P(Move, CornerTestDecidesWhetherTheTriggerRuns) {
    const MoveCase& c = GetParam();
    state->ObjInspHiding = 1;
    Place(inspector, c.inspectorLeft, 100, 200, 500);
    EXPECT_EQ(Send(c.message, inspector, c.x, c.y), 0);
    EXPECT_EQ(state->IdleMark, 0);
    EXPECT_EQ(RectOf(inspector).left, c.expectedLeft);
    EXPECT_EQ(RectOf(inspector).top, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, Move,
    ::testing::Values(MoveCase{WM_MOUSEMOVE, 5, 5, 824, 824},
                      MoveCase{WM_MOUSEMOVE, -100, 0, 824, 824},
                      MoveCase{WM_MOUSEMOVE, 6, 0, 824, kWorkRight - 5},
                      MoveCase{WM_MOUSEMOVE, 0, 6, 824, kWorkRight - 5},
                      MoveCase{WM_NCMOUSEMOVE, 5, 5, 824, 824},
                      MoveCase{WM_NCMOUSEMOVE, 6, 5, 824, kWorkRight - 5},
                      MoveCase{WM_MOUSEMOVE, kWorkRight - 5, 5, 0, 0},
                      MoveCase{WM_MOUSEMOVE, kWorkRight - 6, 5, 0, -195},
                      MoveCase{WM_MOUSEMOVE, kWorkRight - 5, 6, 0, -195},
                      MoveCase{WM_NCMOUSEMOVE, kWorkRight - 5, 6, 0, -195}));

TEST_F(MouseHook, BothModesOffOnlyClearsTheIdleMark) {
    Place(inspector, 824, 100, 200, 500);
    EXPECT_EQ(Send(WM_MOUSEMOVE, other, 500, 600), 0);
    EXPECT_EQ(state->IdleMark, 0);
    EXPECT_EQ(RectOf(inspector).left, 824);
    EXPECT_EQ(RectOf(main).top, 0);
}

TEST_F(MouseHook, OtherMessagesLeaveTheIdleMark) {
    for (const UINT message : {WM_MOUSEWHEEL, WM_LBUTTONDOWN, WM_NCLBUTTONUP, WM_MBUTTONDOWN}) {
        Send(message, other, 500, 600);
        EXPECT_EQ(state->IdleMark, 1) << message;
    }
}

TEST_F(MouseHook, BothModesOnRunInspectorTriggerThenToolBarTrigger) {
    state->ObjInspHiding = 1;
    state->ToolBarHiding = 1;
    Place(inspector, 824, 100, 200, 500);
    Raise(inspector);
    ASSERT_TRUE(IsAbove(inspector, main));
    EXPECT_EQ(Send(WM_MOUSEMOVE, other, 500, 600), 0);
    EXPECT_EQ(RectOf(inspector).left, kWorkRight - 5);
    EXPECT_EQ(RectOf(main).top, -95);
    // Each placement raises its window: the later one ends on top.
    EXPECT_TRUE(IsAbove(main, inspector));
}

TEST_F(MouseHook, ToolBarTriggerShowsFromTheTopStripBetweenTheCorners) {
    state->ToolBarHiding = 1;
    Place(main, 0, -95, kWorkRight, 100);
    EXPECT_EQ(Send(WM_MOUSEMOVE, other, 3, 2), 0);  // corner
    EXPECT_EQ(RectOf(main).top, -95);
    EXPECT_EQ(Send(WM_MOUSEMOVE, other, 512, 2), 0);
    EXPECT_EQ(RectOf(main).top, 0);
}

// ---- Activity guard ----------------------------------------------------

class Guard : public MouseHook {
protected:
    void TearDown() override {
        EnableWindow(main, TRUE);
        EnableWindow(inspector, TRUE);
        MouseHook::TearDown();
    }
    // Makes a visible window of `className` the foreground window.
    HWND Foreground(const char* className) {
        HWND wnd = MakeWindow(className, "", 600, 500, 150, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetForegroundWindow(wnd);
        PumpFor(50);
        return wnd;
    }
};

TEST_F(Guard, EitherEnabledIdeWindowAllowsSliding) {
    EXPECT_TRUE(CanSlide());
    EnableWindow(main, FALSE);
    EXPECT_TRUE(CanSlide());
    EnableWindow(main, TRUE);
    EnableWindow(inspector, FALSE);
    EXPECT_TRUE(CanSlide());
}

TEST_F(Guard, BothDisabledAllowsOnlyTheHostFormByExactClassName) {
    EnableWindow(main, FALSE);
    EnableWindow(inspector, FALSE);
    state->ObjInspHiding = 1;
    struct Variant {
        const char* className;
        bool slides;
    };
    for (const Variant v : {Variant{"TfrmPanorela", true}, Variant{"TFRMPANORELA", false},
                            Variant{"tfrmpanorela", false}, Variant{"TfrmPanorela2", false},
                            Variant{"TfrmPanorel", false}}) {
        HWND form = Foreground(v.className);
        ASSERT_EQ(GetForegroundWindow(), form) << v.className;
        ASSERT_EQ(ClassOf(form), v.className);
        EXPECT_EQ(CanSlide(), v.slides) << v.className;
        Place(inspector, 824, 100, 200, 500);
        Send(WM_MOUSEMOVE, other, 500, 600);
        EXPECT_EQ(RectOf(inspector).left, v.slides ? kWorkRight - 5 : 824) << v.className;
        EXPECT_EQ(state->IdleMark, 0);
        state->IdleMark = 1;
        DropWindow(form);
    }
}

// A stale handle beside a disabled window counts as disabled (a modal dialog
// is up); where neither handle names a window (the IDE closed or restarted)
// the triggers may run, so that their rediscovery finds the new windows.
TEST_F(Guard, StaleHandlesCountAsDisabledUnlessBothAre) {
    HWND form = Foreground("TSomeDialog");
    EnableWindow(inspector, FALSE);
    const uint32_t live = WndValue(inspector);
    struct Case {
        uint32_t main, inspector;
        bool slides;
    };
    for (const Case c : {Case{0xDEAD0002, live, false}, Case{0, live, false},
                         Case{0xDEAD0002, 0, true}, Case{0, 0, true}}) {
        state->AppBuilderWnd = c.main;
        state->InspectorWnd = c.inspector;
        EXPECT_EQ(CanSlide(), c.slides) << std::hex << c.main << " " << c.inspector;
    }
    DropWindow(form);
}

}  // namespace
