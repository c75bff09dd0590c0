// Window discovery through the FillWnd export, as the host calls it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host.h"
#include "stand_in.h"
#include "window.h"

namespace {

uint32_t Value(HWND wnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(wnd)); }

class Discovery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
    }
    void TearDown() override {
        for (HWND wnd : windows) DestroyWindow(wnd);
        EXPECT_TRUE(host.RegistersKept());
    }
    HWND Make(const std::string& className, const std::string& caption) {
        HWND wnd = MakeWindow(className.c_str(), caption.c_str(), 0, 0, 100, 100);
        windows.push_back(wnd);
        return wnd;
    }
    void Poison() {
        state->EditWnd = 0xDEAD0001;
        state->AppBuilderWnd = 0xDEAD0002;
        state->InspectorWnd = 0xDEAD0003;
    }

    Host host;
    SharedState* state = nullptr;
    std::vector<HWND> windows;
};

TEST_F(Discovery, NoIdeLeavesAllThreeHandlesZero) {
    Poison();
    host.FillWnd();
    EXPECT_EQ(state->EditWnd, 0u);
    EXPECT_EQ(state->AppBuilderWnd, 0u);
    EXPECT_EQ(state->InspectorWnd, 0u);
}

TEST_F(Discovery, FindsTheStandInIdesWindowsInAnotherProcess) {
    StandIn ide;
    ASSERT_TRUE(ide.Started());
    Poison();
    host.FillWnd();
    EXPECT_EQ(state->AppBuilderWnd, Value(FindAppBuilder()));
    EXPECT_EQ(state->EditWnd, Value(FindEditor()));
    EXPECT_EQ(state->InspectorWnd, Value(FindInspector()));
    EXPECT_NE(state->InspectorWnd, 0u);
}

struct InspectorCase {
    const char* className;
    const char* caption;
    bool found;
};

class InspectorTest : public Discovery, public ::testing::WithParamInterface<InspectorCase> {};

TEST_P(InspectorTest, ClassAndCaptionDecide) {
    const InspectorCase& c = GetParam();
    HWND wnd = Make(c.className, c.caption);
    ASSERT_NE(wnd, nullptr);
    Poison();
    host.FillWnd();
    EXPECT_EQ(state->InspectorWnd, c.found ? Value(wnd) : 0u)
        << c.className << " / \"" << c.caption << "\"";
}

// 53 + 16 = 69 characters: the fragment ends on the last character kept.
const std::string kCaption69 = std::string(53, 'x') + "Object Inspector";
const std::string kCaption70 = std::string(54, 'x') + "Object Inspector";

INSTANTIATE_TEST_SUITE_P(
    ClassesCaptionsAndCase, InspectorTest,
    ::testing::Values(
        InspectorCase{"TPropertyInspector", "Object Inspector", true},
        InspectorCase{"tpropertyinspector", "OBJECT INSPECTOR", true},
        InspectorCase{"TPROPERTYINSPECTOR", "object inspector", true},
        InspectorCase{"TPropertyInspector", "Objektinspektor", true},
        InspectorCase{"TPropertyInspector", "Inspecteur d'objets", true},
        InspectorCase{"TTabDockHostForm", "Structure, Object Inspector", true},
        InspectorCase{"ttabdockhostform", "oBjEkTiNsPeKtOr", true},
        InspectorCase{"TTabDockHostForm", "Inspecteur D'Objets - Projet", true},
        InspectorCase{"TJoinDockForm", "Object Inspector and friends", true},
        InspectorCase{"TJoinDockForm", "INSPECTEUR D'OBJETS", true},
        InspectorCase{"tJOINdockFORM", "der Objektinspektor", true},
        // The right caption on any other class is not the inspector.
        InspectorCase{"TForm1", "Object Inspector", false},
        InspectorCase{"TPropertyInspectorX", "Object Inspector", false},
        InspectorCase{"TJoinDock", "Objektinspektor", false},
        // The right class with a wrong, partial or empty caption.
        InspectorCase{"TPropertyInspector", "", false},
        InspectorCase{"TPropertyInspector", "Object  Inspector", false},
        InspectorCase{"TTabDockHostForm", "Inspecteur d objets", false},
        InspectorCase{"TJoinDockForm", "Objekt Inspektor", false}));

TEST_F(Discovery, CaptionIsCutAfter69Characters) {
    HWND seen = Make("TPropertyInspector", kCaption69);
    host.FillWnd();
    EXPECT_EQ(state->InspectorWnd, Value(seen));
    DestroyWindow(seen);
    windows.clear();

    Make("TPropertyInspector", kCaption70);
    host.FillWnd();
    EXPECT_EQ(state->InspectorWnd, 0u);
}

struct EnumFirst {
    HWND a, b, first;
};

BOOL CALLBACK NoteFirst(HWND wnd, LPARAM param) {
    EnumFirst* order = reinterpret_cast<EnumFirst*>(param);
    if (wnd == order->a || wnd == order->b) {
        order->first = wnd;
        return FALSE;
    }
    return TRUE;
}

TEST_F(Discovery, FirstInspectorInEnumerationOrderWins) {
    EnumFirst order = {Make("TJoinDockForm", "Object Inspector"),
                       Make("TPropertyInspector", "Object Inspector"), nullptr};
    EnumWindows(NoteFirst, reinterpret_cast<LPARAM>(&order));
    ASSERT_NE(order.first, nullptr);
    host.FillWnd();
    EXPECT_EQ(state->InspectorWnd, Value(order.first));

    // Raising the other one to the top of the Z order makes it the first.
    HWND other = order.first == order.a ? order.b : order.a;
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    order.first = nullptr;
    EnumWindows(NoteFirst, reinterpret_cast<LPARAM>(&order));
    ASSERT_EQ(order.first, other);
    host.FillWnd();
    EXPECT_EQ(state->InspectorWnd, Value(other));
}

TEST_F(Discovery, EditorAndMainWindowFoundByClassWhateverTheirCaption) {
    HWND editor = Make("TEditWindow", "");
    HWND main = Make("TAppBuilder", "Some IDE 4 - Project1");
    host.FillWnd();
    EXPECT_EQ(state->EditWnd, Value(editor));
    EXPECT_EQ(state->AppBuilderWnd, Value(main));
}

}  // namespace
