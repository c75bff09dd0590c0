#include <gtest/gtest.h>

#include <string>

#include "discovery/text_match.h"

namespace {

bool Equals(const std::string& text, const char* literal) {
    return TextEquals(text.data(), static_cast<int>(text.size()), literal);
}
bool Contains(const std::string& text, const char* literal) {
    return TextContains(text.data(), static_cast<int>(text.size()), literal);
}

TEST(TextEquals, NeedsSameLengthAndBytes) {
    EXPECT_TRUE(Equals("TPUTILWINDOW", "TPUTILWINDOW"));
    EXPECT_FALSE(Equals("TPUTILWINDOWX", "TPUTILWINDOW"));  // longer text
    EXPECT_FALSE(Equals("TPUTILWINDO", "TPUTILWINDOW"));    // shorter text
    EXPECT_FALSE(Equals("TPUtilWindow", "TPUTILWINDOW"));   // case counts
    EXPECT_FALSE(Equals("", "TPUTILWINDOW"));
    EXPECT_TRUE(Equals("", ""));
}

TEST(TextEquals, LooksOnlyAtTheCountedBytes) {
    const char buffer[] = "TJOINDOCKFORMgarbage";
    EXPECT_TRUE(TextEquals(buffer, 13, "TJOINDOCKFORM"));
    EXPECT_FALSE(TextEquals(buffer, 14, "TJOINDOCKFORM"));
}

TEST(TextContains, FindsAtAnyPosition) {
    EXPECT_TRUE(Contains("OBJECT INSPECTOR", "OBJECT INSPECTOR"));
    EXPECT_TRUE(Contains("DOCK - OBJECT INSPECTOR, STRUCTURE", "OBJECT INSPECTOR"));
    EXPECT_TRUE(Contains("XOBJEKTINSPEKTOR", "OBJEKTINSPEKTOR"));
    EXPECT_FALSE(Contains("OBJECT INSPECTO", "OBJECT INSPECTOR"));
    EXPECT_FALSE(Contains("", "OBJECT INSPECTOR"));
    EXPECT_TRUE(Contains("INSPECTEUR D'OBJETS", "INSPECTEUR D'OBJETS"));
    EXPECT_FALSE(Contains("INSPECTEUR D OBJETS", "INSPECTEUR D'OBJETS"));
}

TEST(TextContains, FragmentCutByTheCountIsNotSeen) {
    const std::string caption(60, 'x');
    const std::string text = caption + "OBJECT INSPECTOR";
    EXPECT_TRUE(TextContains(text.data(), 76, "OBJECT INSPECTOR"));
    EXPECT_FALSE(TextContains(text.data(), 69, "OBJECT INSPECTOR"));
}

}  // namespace
