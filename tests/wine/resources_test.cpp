// The pictures the library carries for its host, and its version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include "version.h"

namespace {

struct Picture {
    const char* name;
    int width;
    int height;
};

class Resources : public ::testing::TestWithParam<Picture> {
protected:
    void SetUp() override {
        module = LoadLibraryExA("panorela.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }
    HMODULE module = nullptr;
};

TEST_P(Resources, BitmapHasItsSizeAnd24BitsPerPixel) {
    const Picture& picture = GetParam();
    HRSRC found = FindResourceA(module, picture.name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    ASSERT_NE(found, nullptr) << picture.name;
    const BITMAPINFOHEADER* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, picture.width);
    EXPECT_EQ(header->biHeight, picture.height);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
}

INSTANTIATE_TEST_SUITE_P(HostPictures, Resources,
                         ::testing::Values(Picture{"ABOUTIMAGE", 100, 170},
                                           Picture{"PANORELAIMAGE", 170, 50}));

TEST(VersionResource, CarriesTheProductVersion) {
    HMODULE module = LoadLibraryExA("panorela.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key; find its signature.
    const VS_FIXEDFILEINFO* info = nullptr;
    for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= size; i += 4) {
        const VS_FIXEDFILEINFO* candidate = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + i);
        if (candidate->dwSignature == 0xFEEF04BD) {
            info = candidate;
            break;
        }
    }
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(HIWORD(info->dwFileVersionMS), PNR_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(info->dwFileVersionMS), PNR_VERSION_MINOR);
    EXPECT_EQ(HIWORD(info->dwFileVersionLS), PNR_VERSION_PATCH);
    FreeLibrary(module);
}

}  // namespace
