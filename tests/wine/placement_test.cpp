// The two hiding-mode exports moving the stand-in IDE's real windows, called
// from this process through the DLL as the host calls them. Work area
// 1024 x 768 (the screen: no task bar under Xvfb), main window 1024 x 100 at the top, inspector 200 x 500.
#include <gtest/gtest.h>

#include "host.h"
#include "placement_checks.h"
#include "stand_in.h"

namespace {

constexpr Box kMainShown = {0, 0, 1024, 100};
constexpr Box kMainHidden = {0, -95, 1024, 5};
constexpr Box kInspectorStart = {0, 100, 200, 600};

struct ModeCase {
    const char* what;
    Box start;
    bool fullHeight;
    bool on;
    Box expected;
    bool placed;  // false: no SetWindowPos at all, so not raised either
};

class HostPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_TRUE(ide.Started());
        state->MenuActive = 0;
        state->InspectorFullHeight = 0;
        state->HideInspectorWhenActive = 0;
        host.FillWnd();
        main = FindAppBuilder();
        editor = FindEditor();
        inspector = FindInspector();
        ASSERT_NE(main, nullptr);
        ASSERT_NE(inspector, nullptr);
        // A foreground window that no placement may take away.
        ide.Command("activate " + Hex(editor));
        ASSERT_EQ(GetForegroundWindow(), editor);
    }
    void TearDown() override { EXPECT_TRUE(host.RegistersKept()); }

    void ToolBarMode(bool on) {
        HWND before = GetForegroundWindow();
        host.SetToolBarHidingMode(on);
        EXPECT_EQ(GetForegroundWindow(), before) << "the placement activated a window";
        EXPECT_EQ(state->ToolBarHiding, on ? 1 : 0);
    }
    void InspectorMode(bool on) {
        HWND before = GetForegroundWindow();
        host.SetObjInspHidingMode(on);
        EXPECT_EQ(GetForegroundWindow(), before) << "the placement activated a window";
        EXPECT_EQ(state->ObjInspHiding, on ? 1 : 0);
    }

    // The case starts below the editor in the Z order: a placement must raise
    // the window to the top, a refusal must leave it below.
    void Check(HWND wnd, const ModeCase& c, bool toolBar) {
        SCOPED_TRACE(c.what);
        state->InspectorFullHeight = c.fullHeight;
        ASSERT_TRUE(MoveTo(wnd, c.start));
        ASSERT_TRUE(Raise(editor));
        if (toolBar) {
            ToolBarMode(c.on);
        } else {
            InspectorMode(c.on);
        }
        EXPECT_TRUE(At(wnd, c.expected));
        if (c.placed) {
            EXPECT_TRUE(TopmostVisible(wnd));
        } else {
            PumpFor(50);  // time for a late raise to show
            EXPECT_TRUE(Above(editor, wnd));
        }
    }

    Host host;
    StandIn ide;
    SharedState* state = nullptr;
    HWND main = nullptr;
    HWND editor = nullptr;
    HWND inspector = nullptr;
};

TEST_F(HostPlacement, ToolBarMode) {
    const ModeCase cases[] = {
        {"shown goes up to Y -95", kMainShown, false, true, kMainHidden, true},
        {"bottom 5 is hidden already", kMainHidden, false, true, kMainHidden, false},
        {"bottom 6 goes up", {0, -94, 1024, 6}, false, true, kMainHidden, true},
        {"left edge and width are reset", {37, 40, 537, 140}, false, true, kMainHidden, true},
        {"hidden comes back", kMainHidden, false, false, kMainShown, true},
        {"top -1 comes back", {0, -1, 1024, 99}, false, false, kMainShown, true},
        {"top 0 is only raised", kMainShown, false, false, kMainShown, true},
        {"top 40 is only raised", {100, 40, 600, 140}, false, false, {100, 40, 600, 140}, true},
    };
    for (const ModeCase& c : cases) Check(main, c, true);
}

TEST_F(HostPlacement, InspectorMode) {
    const ModeCase cases[] = {
        {"left, own height", kInspectorStart, false, true, {-195, 100, 5, 600}, true},
        {"left, full height", kInspectorStart, true, true, {-195, 0, 5, 768}, true},
        {"left, right edge 5 is hidden already", {-195, 100, 5, 600}, true, true,
         {-195, 100, 5, 600}, false},
        {"left, right edge 6 is hidden", {-194, 100, 6, 600}, false, true, {-195, 100, 5, 600},
         true},
        {"centre on the middle belongs left", {412, 100, 612, 600}, false, true,
         {-195, 100, 5, 600}, true},
        {"right, own height", {824, 100, 1024, 600}, false, true, {1019, 100, 1219, 600}, true},
        {"right, full height", {824, 100, 1024, 600}, true, true, {1019, 0, 1219, 768}, true},
        {"right, left edge 1019 is hidden already", {1019, 100, 1219, 600}, false, true,
         {1019, 100, 1219, 600}, false},
        {"right, left edge 1018 is hidden", {1018, 100, 1218, 600}, false, true,
         {1019, 100, 1219, 600}, true},
        {"right, standing at 600", {600, 100, 800, 600}, false, true, {1019, 100, 1219, 600},
         true},
        // Off: placed below the 100-pixel main window, down to the work area's bottom,
        // whatever InspectorFullHeight says and even when already shown.
        {"off, hidden left", {-195, 100, 5, 600}, false, false, {0, 100, 200, 768}, true},
        {"off, hidden left, full height", {-195, 0, 5, 768}, true, false, {0, 100, 200, 768},
         true},
        {"off, hidden right", {1019, 100, 1219, 600}, false, false, {824, 100, 1024, 768}, true},
        {"off, shown left", kInspectorStart, false, false, {0, 100, 200, 768}, true},
        {"off, right at 600", {600, 300, 800, 400}, true, false, {824, 100, 1024, 768}, true},
    };
    for (const ModeCase& c : cases) Check(inspector, c, false);
}

TEST_F(HostPlacement, InspectorGoesBelowTheMainWindowsHeightEvenWhenItIsHidden) {
    ToolBarMode(true);
    ASSERT_TRUE(At(main, kMainHidden));
    InspectorMode(true);
    InspectorMode(false);
    EXPECT_TRUE(At(inspector, {0, 100, 200, 768}));
}

TEST_F(HostPlacement, MenuLoopStopsEveryHideButNoShow) {
    state->MenuActive = 1;
    ASSERT_TRUE(Raise(editor));
    ToolBarMode(true);
    EXPECT_TRUE(At(main, kMainShown));
    EXPECT_TRUE(Above(editor, main));

    ASSERT_TRUE(MoveTo(main, kMainHidden));
    ToolBarMode(false);
    EXPECT_TRUE(At(main, kMainShown));
    EXPECT_TRUE(TopmostVisible(main));

    // The inspector does not care about menu loops.
    InspectorMode(true);
    EXPECT_TRUE(At(inspector, {-195, 100, 5, 600}));
}

TEST_F(HostPlacement, StaleMainWindowHandleIsRepairedByDiscovery) {
    const uint32_t old = state->AppBuilderWnd;
    ASSERT_TRUE(ide.Destroy(main));
    HWND fresh = ide.Create("TAppBuilder", "Stand-in IDE - Project1", 0, 0, 1024, 100, false);
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(state->AppBuilderWnd, old);
    ToolBarMode(true);
    EXPECT_EQ(state->AppBuilderWnd, Value(fresh));
    EXPECT_TRUE(At(fresh, kMainHidden));
}

TEST_F(HostPlacement, StaleInspectorHandleIsRepairedByDiscovery) {
    const uint32_t old = state->InspectorWnd;
    ASSERT_TRUE(ide.Destroy(inspector));
    HWND fresh = ide.Create("TPropertyInspector", "Object Inspector", 824, 100, 200, 500, false);
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(state->InspectorWnd, old);
    InspectorMode(true);
    EXPECT_EQ(state->InspectorWnd, Value(fresh));
    EXPECT_TRUE(At(fresh, {1019, 100, 1219, 600}));
}

TEST_F(HostPlacement, NoInspectorMovesNothing) {
    ASSERT_TRUE(ide.Destroy(inspector));
    ASSERT_TRUE(Raise(editor));
    InspectorMode(true);
    EXPECT_EQ(state->InspectorWnd, 0u);
    InspectorMode(false);
    EXPECT_EQ(state->InspectorWnd, 0u);
    EXPECT_TRUE(At(main, kMainShown));
    EXPECT_TRUE(At(editor, {200, 100, 900, 600}));
    EXPECT_TRUE(TopmostVisible(editor));
    // The main window is still handled.
    ToolBarMode(true);
    EXPECT_TRUE(At(main, kMainHidden));
}

// No IDE at all: every call runs discovery, finds nothing and returns; the
// modes are stored all the same.
TEST(HostPlacementWithoutIde, ModesAreStoredAndNothingFails) {
    Host host;
    ASSERT_TRUE(host.Loaded());
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    state->AppBuilderWnd = Value(StaleHandle());
    state->InspectorWnd = Value(StaleHandle());
    host.SetToolBarHidingMode(true);
    EXPECT_EQ(state->ToolBarHiding, 1);
    host.SetObjInspHidingMode(true);
    EXPECT_EQ(state->ObjInspHiding, 1);
    host.SetToolBarHidingMode(false);
    EXPECT_EQ(state->ToolBarHiding, 0);
    host.SetObjInspHidingMode(false);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(state->AppBuilderWnd, 0u);
    EXPECT_EQ(state->InspectorWnd, 0u);
    EXPECT_TRUE(host.RegistersKept());
}

}  // namespace
