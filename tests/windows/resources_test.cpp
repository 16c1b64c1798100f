// The resources velmora.exe carries, read from this test program, which
// links the same resource object: what the shell, the picture control and a
// resource viewer find.
#include <windows.h>

#include <winver.h>

#include <cstring>
#include <sstream>
#include <string_view>
#include <vector>

#include "approval.h"
#include "dialog_thread.h"

namespace {

// The bytes of one resource in US English; empty when there is none.
std::string_view Resource(const wchar_t* type, const wchar_t* name) {
    HRSRC found =
        FindResourceExW(nullptr, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!found) return {};
    return {static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
            SizeofResource(nullptr, found)};
}

template <typename T>
T At(std::string_view data, size_t offset) {
    T value{};
    if (data.size() >= offset + sizeof value)
        std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

#pragma pack(push, 2)
struct IconEntry {
    BYTE Width, Height, Colours, Reserved;
    WORD Planes, Bits;
    DWORD Bytes;
    WORD Id;
};
#pragma pack(pop)

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void DescribeBitmap(std::ostream& out, std::string_view image) {
    const auto header = At<BITMAPINFOHEADER>(image, 0);
    out << header.biSize << "-byte header, " << header.biWidth << " x " << header.biHeight
        << ", planes " << header.biPlanes << ", " << header.biBitCount << " bpp, compression "
        << header.biCompression << ", " << header.biXPelsPerMeter << " x " << header.biYPelsPerMeter
        << " px/m, " << header.biClrUsed << " colours, " << image.size() << " bytes";
}

// The fixed part, the translation and the strings of the version block.
void DescribeVersion(std::ostream& out, const std::vector<char>& block) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        !VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length))
        return;
    auto dotted = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    out << "version: file " << dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS)
        << ", product " << dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS) << std::hex
        << ", flags " << fixed->dwFileFlags << " of " << fixed->dwFileFlagsMask << ", OS "
        << fixed->dwFileOS << ", type " << fixed->dwFileType << ", translation " << translation[0]
        << " " << std::dec << translation[1] << "\n";
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"LegalCopyright"}) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length);
        out << "  " << TextFromWide(name) << " " << Readable(value ? TextFromWide(value) : "")
            << "\n";
    }
}

TEST(Resources, AsApproved) {
    std::ostringstream out;
    out << "SCHEMATIC bitmap: ";
    DescribeBitmap(out, Resource(RT_BITMAP, L"SCHEMATIC"));
    int groups = 0;
    EnumResourceNamesW(nullptr, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&groups));
    const std::string_view group = Resource(RT_GROUP_ICON, L"APPICON");
    out << "\nicon groups: " << groups << "; APPICON: " << At<WORD>(group, 4) << " images\n";
    for (WORD k = 0; k < At<WORD>(group, 4); ++k) {
        const auto entry = At<IconEntry>(group, 6 + k * sizeof(IconEntry));
        const std::string_view image = Resource(RT_ICON, MAKEINTRESOURCEW(entry.Id));
        out << "  " << (entry.Width ? entry.Width : 256) << " px, " << entry.Bits << " bpp, "
            << entry.Bytes << " bytes listed: ";
        if (image.starts_with("\x89PNG\r\n\x1a\n"))
            out << "PNG, " << image.size() << " bytes";
        else
            DescribeBitmap(out, image);
        out << "\n";
    }

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<char> block(GetFileVersionInfoSizeW(self, nullptr));
    GetFileVersionInfoW(self, 0, static_cast<DWORD>(block.size()), block.data());
    DescribeVersion(out, block);
    EXPECT_TRUE(MatchesApproved(out.str(), "windows/resources.txt"));
}

TEST(Resources, ManifestAsksForCommonControls6AsInvokerDpiAware) {
    const std::string manifest(Resource(RT_MANIFEST, MAKEINTRESOURCEW(1)));
    const char* const kFacts[] = {
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
    for (const char* fact : kFacts)
        EXPECT_NE(manifest.find(fact), std::string::npos) << fact;
}

}  // namespace
