// The resources of velmora.exe, read from the file as the shell and a
// resource viewer read them.
#include <gtest/gtest.h>
#include <windows.h>
#include <winver.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "e2e_options.h"

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD Reserved, Type, Count;
};
struct IconGroupEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
#pragma pack(pop)

class Resources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryExW(Options().VelmoraExe.c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    void SetUp() override { ASSERT_NE(module, nullptr) << "velmora.exe did not load as data"; }
    static void TearDownTestSuite() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }

    // The bytes of one resource in US English; empty when there is none.
    static std::string_view Data(const wchar_t* type, const wchar_t* name) {
        HRSRC found = FindResourceExW(module, type, name, kEnglishUs);
        if (!found) return {};
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return {bytes, SizeofResource(module, found)};
    }
    // The structure at the offset; false when the data is too short for it.
    template <typename T>
    static bool ReadAt(std::string_view data, size_t offset, T& value) {
        if (data.size() < offset + sizeof value) return false;
        std::memcpy(&value, data.data() + offset, sizeof value);
        return true;
    }

    static HMODULE module;
};

HMODULE Resources::module = nullptr;

TEST_F(Resources, SchematicIsA380By250BottomUp24BitDib) {
    const std::string_view data = Data(RT_BITMAP, L"SCHEMATIC");
    BITMAPINFOHEADER header;
    ASSERT_TRUE(ReadAt(data, 0, header));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 380);
    EXPECT_EQ(header.biHeight, 250);  // positive: bottom-up
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biXPelsPerMeter, 4724);
    EXPECT_EQ(header.biYPelsPerMeter, 4724);
    EXPECT_EQ(header.biClrUsed, 0u);
    // No colour table: 250 rows of 1,140 bytes follow the header directly.
    EXPECT_EQ(data.size(), 40u + 285000u);
}

TEST_F(Resources, AppIconHasTwelveImagesWithPngAt256) {
    const std::string_view group = Data(RT_GROUP_ICON, L"APPICON");
    IconGroupHeader header;
    ASSERT_TRUE(ReadAt(group, 0, header));
    EXPECT_EQ(header.Type, 1);
    ASSERT_EQ(header.Count, 12);
    ASSERT_EQ(group.size(), sizeof header + 12 * sizeof(IconGroupEntry));

    std::vector<std::pair<int, int>> found;  // (size, bits per pixel)
    for (int k = 0; k < header.Count; ++k) {
        IconGroupEntry entry;
        ASSERT_TRUE(ReadAt(group, sizeof header + k * sizeof entry, entry));
        const int size = entry.Width ? entry.Width : 256;
        found.emplace_back(size, entry.BitCount);
        SCOPED_TRACE(testing::Message() << size << " px, " << entry.BitCount << " bpp");
        const std::string_view image = Data(RT_ICON, MAKEINTRESOURCEW(entry.Id));
        ASSERT_EQ(image.size(), entry.BytesInRes);
        if (size == 256) {
            EXPECT_EQ(image.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
        } else {
            BITMAPINFOHEADER dib;
            ASSERT_TRUE(ReadAt(image, 0, dib));
            EXPECT_EQ(dib.biSize, 40u);
            EXPECT_EQ(dib.biWidth, size);
            EXPECT_EQ(dib.biHeight, 2 * size);  // colour and mask
            EXPECT_EQ(dib.biBitCount, entry.BitCount);
        }
    }
    for (const int size : {16, 32, 48, 256})
        for (const int bits : {4, 8, 32})
            EXPECT_EQ(std::count(found.begin(), found.end(), std::make_pair(size, bits)), 1)
                << size << " px, " << bits << " bpp";
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(Resources, AppIconIsTheOnlyIconGroup) {
    int groups = 0;
    EnumResourceNamesW(module, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1);
}

TEST_F(Resources, ManifestAsksForCommonControls6AsInvokerDpiAware) {
    const std::string manifest(Data(RT_MANIFEST, MAKEINTRESOURCEW(1)));
    ASSERT_FALSE(manifest.empty());
    const char* expected[] = {
        R"(name="Microsoft.Windows.Common-Controls")",
        R"(version="6.0.0.0")",
        R"(publicKeyToken="6595b64144ccf1df")",
        R"(processorArchitecture="*")",
        R"(language="*")",
        R"(level="asInvoker")",
        R"(uiAccess="false")",
        R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>)",
        R"(name="ApplicationName")",
        R"(version="1.0.0.0")",
        "Optional description of your application",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10
    };
    for (const char* text : expected)
        EXPECT_NE(manifest.find(text), std::string::npos) << text;
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return {};
    return value;
}

TEST_F(Resources, VersionBlockSays100InUsEnglishUnicode) {
    const wchar_t* file = Options().VelmoraExe.c_str();
    const DWORD size = GetFileVersionInfoSizeW(file, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(file, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);
    EXPECT_EQ(fixed->dwFileType, 0x1u);

    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.00");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.00");
    EXPECT_FALSE(VersionString(block, L"LegalCopyright").empty());

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
}

}  // namespace
