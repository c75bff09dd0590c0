// The host and the library carry the one version of version.h in their
// version resources, the same one the release package is named after.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "version.h"

namespace {

using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct Version {
    bool read = false;
    DWORD fileMs = 0, fileLs = 0;
    std::string fileVersion;
    std::string productVersion;
};

Version ReadVersion(const char* file) {
    Version version;
    HMODULE library = LoadLibraryA("version.dll");
    if (!library) return version;
    auto size = reinterpret_cast<SizeFn>(GetProcAddress(library, "GetFileVersionInfoSizeA"));
    auto info = reinterpret_cast<InfoFn>(GetProcAddress(library, "GetFileVersionInfoA"));
    auto query = reinterpret_cast<QueryFn>(GetProcAddress(library, "VerQueryValueA"));
    DWORD ignored = 0;
    const DWORD bytes = size ? size(file, &ignored) : 0;
    std::vector<char> data(bytes);
    if (bytes && info(file, 0, bytes, data.data())) {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (query(data.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length) && fixed) {
            version.read = true;
            version.fileMs = fixed->dwFileVersionMS;
            version.fileLs = fixed->dwFileVersionLS;
        }
        char* text = nullptr;
        if (query(data.data(), "\\StringFileInfo\\040904B0\\FileVersion", reinterpret_cast<LPVOID*>(&text), &length) && text) {
            version.fileVersion = text;
        }
        if (query(data.data(), "\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<LPVOID*>(&text), &length) && text) {
            version.productVersion = text;
        }
    }
    FreeLibrary(library);
    return version;
}

class VersionResource : public ::testing::TestWithParam<const char*> {};

TEST_P(VersionResource, MatchesVersionHeader) {
    const Version version = ReadVersion(GetParam());
    ASSERT_TRUE(version.read) << GetParam();
    EXPECT_EQ(version.fileMs, static_cast<DWORD>(MAKELONG(PNR_VERSION_MINOR, PNR_VERSION_MAJOR)));
    EXPECT_EQ(version.fileLs, static_cast<DWORD>(MAKELONG(0, PNR_VERSION_PATCH)));
    EXPECT_EQ(version.fileVersion, PNR_VERSION_STRING);
    EXPECT_EQ(version.productVersion, PNR_VERSION_STRING);
}

INSTANTIATE_TEST_SUITE_P(Binaries, VersionResource, ::testing::Values("panorela-host.exe", "panorela.dll"));

}  // namespace
