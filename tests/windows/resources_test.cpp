// The resources velmora.exe carries, read from this test program, which
// links the same resource object: what the shell, the picture control and a
// resource viewer find, manifest included, all in US English.
#include <windows.h>

#include <winver.h>

#include <cstring>
#include <sstream>
#include <string_view>
#include <vector>

#include "approval.h"
#include "dialog_thread.h"

namespace {

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

void DescribeImage(std::ostream& out, std::string_view image) {
    const auto h = At<BITMAPINFOHEADER>(image, 0);
    if (image.starts_with("\x89PNG\r\n\x1a\n"))
        out << "PNG";
    else
        out << h.biSize << "-byte header, " << h.biWidth << " x " << h.biHeight << ", planes "
            << h.biPlanes << ", " << h.biBitCount << " bpp, compression " << h.biCompression << ", "
            << h.biXPelsPerMeter << " x " << h.biYPelsPerMeter << " px/m, " << h.biClrUsed
            << " colours";
    out << ", " << image.size() << " bytes\n";
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

#pragma pack(push, 2)
struct IconEntry {
    BYTE Width, Height, Colours, Reserved;
    WORD Planes, Bits;
    DWORD Bytes;
    WORD Id;
};
#pragma pack(pop)

void DescribeVersion(std::ostream& out) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<char> block(GetFileVersionInfoSizeW(self, nullptr));
    GetFileVersionInfoW(self, 0, static_cast<DWORD>(block.size()), block.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        !VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length))
        return;
    out << std::hex << "version: file " << fixed->dwFileVersionMS << " " << fixed->dwFileVersionLS
        << ", product " << fixed->dwProductVersionMS << " " << fixed->dwProductVersionLS
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
    DescribeImage(out, Resource(RT_BITMAP, L"SCHEMATIC"));
    int groups = 0;
    EnumResourceNamesW(nullptr, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&groups));
    const std::string_view group = Resource(RT_GROUP_ICON, L"APPICON");
    out << "icon groups: " << groups << "; APPICON: " << At<WORD>(group, 4) << " images\n";
    for (WORD k = 0; k < At<WORD>(group, 4); ++k) {
        const auto entry = At<IconEntry>(group, 6 + k * sizeof(IconEntry));
        out << "  " << (entry.Width ? entry.Width : 256) << " px, " << entry.Bits << " bpp, "
            << entry.Bytes << " bytes listed: ";
        DescribeImage(out, Resource(RT_ICON, MAKEINTRESOURCEW(entry.Id)));
    }
    DescribeVersion(out);
    out << "manifest:\n" << Resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    EXPECT_TRUE(MatchesApproved(out.str(), "windows/resources.txt"));
}

}  // namespace
