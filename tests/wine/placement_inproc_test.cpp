// The edge triggers, the inspector's foreground rule and the 75-pixel
// fallback, called directly on the stand-in IDE's real windows. Work area
// 1024 x 768 (the screen: no task bar under Xvfb), main window 1024 x 100, inspector 200 x 500.
#include <gtest/gtest.h>

#include "exports.h"
#include "placement/objinsp.h"
#include "placement/toolbar.h"
#include "placement_checks.h"
#include "stand_in.h"
#include "state/shared_state.h"

namespace {

constexpr Box kMainShown = {0, 0, 1024, 100};
constexpr Box kMainHidden = {0, -95, 1024, 5};
constexpr Box kLeftShown = {0, 100, 200, 600};
constexpr Box kLeftHidden = {-195, 100, 5, 600};
constexpr Box kRightShown = {824, 100, 1024, 600};
constexpr Box kRightHidden = {1019, 100, 1219, 600};

class InProcessPlacement : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!g_state) OpenSharedState();
    }
    void SetUp() override {
        ASSERT_NE(g_state, nullptr);
        ASSERT_TRUE(ide.Started());
        g_state->MenuActive = 0;
        g_state->InspectorFullHeight = 0;
        g_state->HideInspectorWhenActive = 0;
        FillWnd();
        main = FindAppBuilder();
        editor = FindEditor();
        inspector = FindInspector();
        ASSERT_NE(main, nullptr);
        ASSERT_NE(inspector, nullptr);
        Activate(editor);
    }

    void Activate(HWND wnd) {
        ide.Command("activate " + Hex(wnd));
        ASSERT_EQ(GetForegroundWindow(), wnd);
    }

    // Runs one operation and checks that it left the foreground alone.
    template <class Operation>
    void Run(Operation operation) {
        HWND before = GetForegroundWindow();
        operation();
        EXPECT_EQ(GetForegroundWindow(), before) << "the placement activated a window";
    }

    // A trigger that must do nothing: no move, and no raise either.
    template <class Operation>
    void ExpectUntouched(HWND wnd, const Box& place, Operation operation) {
        ASSERT_TRUE(Raise(editor));
        Run(operation);
        PumpFor(50);  // time for a late raise to show
        EXPECT_TRUE(At(wnd, place));
        EXPECT_TRUE(Above(editor, wnd)) << "the window was raised";
    }

    StandIn ide;
    HWND main = nullptr;
    HWND editor = nullptr;
    HWND inspector = nullptr;
};

TEST_F(InProcessPlacement, ToolBarTriggerWorkedExample) {
    Run([] { HideToolBar(); });
    ASSERT_TRUE(At(main, kMainHidden));
    // Hidden: rows 5 to 30 leave it; 31 reaches HideToolBar, which finds it hidden.
    for (int y : {5, 30, 31, 600}) {
        SCOPED_TRACE(y);
        ExpectUntouched(main, kMainHidden, [y] { ToolBarEdgeTrigger(500, y); });
    }
    Run([] { ToolBarEdgeTrigger(500, 3); });
    EXPECT_TRUE(At(main, kMainShown));
    EXPECT_TRUE(TopmostVisible(main));
    // Shown: limit 100 + 25.
    for (int y : {5, 60, 125}) {
        SCOPED_TRACE(y);
        ExpectUntouched(main, kMainShown, [y] { ToolBarEdgeTrigger(500, y); });
    }
    Run([] { ToolBarEdgeTrigger(500, 126); });
    EXPECT_TRUE(At(main, kMainHidden));
    Run([] { ToolBarEdgeTrigger(0, 4); });
    EXPECT_TRUE(At(main, kMainShown));
    Run([] { HideToolBar(); });
    Run([] { ToolBarEdgeTrigger(700, -20); });
    EXPECT_TRUE(At(main, kMainShown));
}

TEST_F(InProcessPlacement, ToolBarTriggerShowsButCannotHideDuringAMenuLoop) {
    g_state->MenuActive = 1;
    ExpectUntouched(main, kMainShown, [] { ToolBarEdgeTrigger(500, 126); });
    ASSERT_TRUE(MoveTo(main, kMainHidden));
    Run([] { ToolBarEdgeTrigger(500, 2); });
    EXPECT_TRUE(At(main, kMainShown));
}

TEST_F(InProcessPlacement, InspectorTriggerOnTheLeft) {
    Run([] { HideInspector(); });
    ASSERT_TRUE(At(inspector, kLeftHidden));
    // Hidden: limit 5 + 50; 56 reaches HideInspector, which finds it hidden.
    for (int x : {5, 55, 56, 900}) {
        SCOPED_TRACE(x);
        ExpectUntouched(inspector, kLeftHidden, [x] { InspectorEdgeTrigger(x, 300); });
    }
    Run([] { InspectorEdgeTrigger(3, 300); });
    EXPECT_TRUE(At(inspector, kLeftShown));
    EXPECT_TRUE(TopmostVisible(inspector));
    // Shown: limit 200 + 50.
    for (int x : {5, 120, 250}) {
        SCOPED_TRACE(x);
        ExpectUntouched(inspector, kLeftShown, [x] { InspectorEdgeTrigger(x, 300); });
    }
    Run([] { InspectorEdgeTrigger(251, 300); });
    EXPECT_TRUE(At(inspector, kLeftHidden));
    Run([] { InspectorEdgeTrigger(4, 300); });
    EXPECT_TRUE(At(inspector, kLeftShown));
    Run([] { HideInspector(); });
    Run([] { InspectorEdgeTrigger(-30, 300); });
    EXPECT_TRUE(At(inspector, kLeftShown));
    // Shown already, x in the strip only raises it.
    ASSERT_TRUE(Raise(editor));
    Run([] { InspectorEdgeTrigger(2, 300); });
    EXPECT_TRUE(At(inspector, kLeftShown));
    EXPECT_TRUE(TopmostVisible(inspector));
}

TEST_F(InProcessPlacement, InspectorTriggerOnTheRight) {
    ASSERT_TRUE(MoveTo(inspector, kRightShown));
    for (int x : {774, 900, 1019}) {
        SCOPED_TRACE(x);
        ExpectUntouched(inspector, kRightShown, [x] { InspectorEdgeTrigger(x, 300); });
    }
    Run([] { InspectorEdgeTrigger(773, 300); });
    EXPECT_TRUE(At(inspector, kRightHidden));
    // Hidden: only columns 1020 to 1023 (and beyond) show it.
    ExpectUntouched(inspector, kRightHidden, [] { InspectorEdgeTrigger(1019, 300); });
    ExpectUntouched(inspector, kRightHidden, [] { InspectorEdgeTrigger(774, 300); });
    Run([] { InspectorEdgeTrigger(1020, 300); });
    EXPECT_TRUE(At(inspector, kRightShown));
    Run([] { HideInspector(); });
    Run([] { InspectorEdgeTrigger(1023, 300); });
    EXPECT_TRUE(At(inspector, kRightShown));
    // Standing at 600 the limit is still 774: a pointer over it hides it.
    ASSERT_TRUE(MoveTo(inspector, {600, 100, 800, 600}));
    Run([] { InspectorEdgeTrigger(700, 300); });
    EXPECT_TRUE(At(inspector, kRightHidden));
}

TEST_F(InProcessPlacement, FullHeightMovesToTheTopAndStretches) {
    g_state->InspectorFullHeight = 1;
    Run([] { HideInspector(); });
    EXPECT_TRUE(At(inspector, {-195, 0, 5, 768}));
    ASSERT_TRUE(MoveTo(inspector, kLeftHidden));
    Run([] { InspectorEdgeTrigger(3, 300); });
    EXPECT_TRUE(At(inspector, {0, 0, 200, 768}));

    g_state->InspectorFullHeight = 0;
    ASSERT_TRUE(MoveTo(inspector, {-195, 40, 5, 340}));
    Run([] { InspectorEdgeTrigger(3, 300); });
    EXPECT_TRUE(At(inspector, {0, 40, 200, 340}));
}

TEST_F(InProcessPlacement, InspectorInTheForegroundStaysUnlessAskedOtherwise) {
    Activate(inspector);
    ExpectUntouched(inspector, kLeftShown, [] { InspectorEdgeTrigger(251, 300); });

    g_state->HideInspectorWhenActive = 1;
    Run([] { InspectorEdgeTrigger(251, 300); });
    EXPECT_TRUE(At(inspector, kLeftHidden));

    g_state->HideInspectorWhenActive = 0;
    Run([] { ShowInspector(false); });
    Activate(editor);
    Run([] { InspectorEdgeTrigger(251, 300); });
    EXPECT_TRUE(At(inspector, kLeftHidden));
}

TEST_F(InProcessPlacement, UnreadableMainWindowCountsAs75HighWithoutDiscovery) {
    const uint32_t stale = Value(StaleHandle());
    g_state->AppBuilderWnd = stale;
    Run([] { ShowInspector(true); });
    EXPECT_TRUE(At(inspector, {0, 75, 200, 768}));
    EXPECT_EQ(g_state->AppBuilderWnd, stale);

    ASSERT_TRUE(MoveTo(inspector, kRightHidden));
    Run([] { ShowInspector(true); });
    EXPECT_TRUE(At(inspector, {824, 75, 1024, 768}));
}

// With no block mapped every operation is inert.
TEST_F(InProcessPlacement, NothingMovesWithoutTheBlock) {
    g_state->ToolBarHiding = 0;
    g_state->ObjInspHiding = 0;
    SharedState* mapped = g_state;
    g_state = nullptr;
    HideToolBar();
    ToolBarEdgeTrigger(500, 900);
    HideInspector();
    InspectorEdgeTrigger(900, 300);
    SetToolBarHidingMode(1);
    SetObjInspHidingMode(1);
    g_state = mapped;
    EXPECT_TRUE(At(main, kMainShown));
    EXPECT_TRUE(At(inspector, kLeftShown));
    EXPECT_EQ(g_state->ToolBarHiding, 0);
    EXPECT_EQ(g_state->ObjInspHiding, 0);
}

}  // namespace
