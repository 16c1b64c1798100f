#include "dialog_images.h"

#include <cstdint>

#include "dialog.h"
#include "dialog_records.h"
#include "dialog_thread.h"

namespace {

// A resource name as the loaders take it: "#n" becomes the number n.
struct ResourceName {
    std::wstring Text;
    bool IsNumber = false;
    uint16_t Number = 0;
};

ResourceName ResourceNameParse(const std::string& name) {
    ResourceName parsed;
    parsed.Text = TextToWide(name);
    if (name.size() < 2 || name[0] != '#') return parsed;
    unsigned long number = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > 0xFFFF) return parsed;
        number = number * 10 + static_cast<unsigned long>(name[i] - '0');
    }
    if (number > 0xFFFF) return parsed;
    parsed.IsNumber = true;
    parsed.Number = static_cast<uint16_t>(number);
    return parsed;
}

const wchar_t* ResourceNamePointer(const ResourceName& name) {
    return name.IsNumber ? MAKEINTRESOURCEW(name.Number) : name.Text.c_str();
}

wchar_t AsciiUpper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? c - (L'a' - L'A') : c;
}

bool ResourceNameMatches(const ResourceName& wanted, const wchar_t* found) {
    if (IS_INTRESOURCE(found)) {
        return wanted.IsNumber &&
               wanted.Number == static_cast<uint16_t>(reinterpret_cast<uintptr_t>(found));
    }
    if (wanted.IsNumber) return false;
    const std::wstring& text = wanted.Text;
    size_t i = 0;
    for (; i < text.size() && found[i] != L'\0'; ++i) {
        if (AsciiUpper(text[i]) != AsciiUpper(found[i])) return false;
    }
    return i == text.size() && found[i] == L'\0';
}

struct BitmapSearch {
    const ResourceName* Wanted;
    bool Found;
};

BOOL CALLBACK BitmapSearchVisit(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) {
    auto* search = reinterpret_cast<BitmapSearch*>(context);
    search->Found = ResourceNameMatches(*search->Wanted, name);
    return search->Found ? FALSE : TRUE;  // FALSE stops the enumeration
}

HICON IconLoad(const std::string& name, int size) {
    const ResourceName parsed = ResourceNameParse(name);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), ResourceNamePointer(parsed),
                                         IMAGE_ICON, size, size, 0));
}

// Gives the dialog the icon and frees the one it replaces; false if there was
// no icon to set.
bool DialogIconSet(HWND dialog, WPARAM which, HICON icon) {
    if (!icon) return false;
    SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    HICON replaced = nullptr;
    const bool kept = RecordUpdate(dialog, [&](WindowRecord& r) {
        HICON& slot = which == ICON_BIG ? r.LargeIcon : r.SmallIcon;
        replaced = slot;
        slot = icon;
    });
    ImageRelease(kept ? replaced : icon, false);
    return kept;
}

}  // namespace

bool ModuleHasBitmap(const std::string& name) {
    const ResourceName wanted = ResourceNameParse(name);
    BitmapSearch search{&wanted, false};
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_BITMAP, BitmapSearchVisit,
                       reinterpret_cast<LONG_PTR>(&search));
    return search.Found;
}

void ImageControlLoad(HWND control, const std::string& name, bool isBitmap) {
    const ResourceName parsed = ResourceNameParse(name);
    const UINT type = isBitmap ? IMAGE_BITMAP : IMAGE_ICON;
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), ResourceNamePointer(parsed), type, 0, 0,
                              LR_LOADMAP3DCOLORS);
    if (!image) return;
    HANDLE replaced = nullptr;
    bool replacedIsBitmap = false;
    RecordUpdate(control, [&](WindowRecord& r) {
        replaced = r.Image;
        replacedIsBitmap = r.ImageIsBitmap;
        r.Image = image;
        r.ImageIsBitmap = isBitmap;
    });
    // The control hands back the picture it showed before; it is ours to free.
    auto previous = reinterpret_cast<HANDLE>(
        SendMessageW(control, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image)));
    if (previous && previous != image && previous != replaced) ImageRelease(previous, isBitmap);
    ImageRelease(replaced, replacedIsBitmap);
}

void DialogLoadIcon(HWND dialog, const std::string& iconName) {
    WindowRecord record;
    if (!RecordFind(dialog, &record) || record.Kind != RecordKind::Dialog) return;
    // No large icon, no small one either: the platform's icon stays whole.
    if (!DialogIconSet(dialog, ICON_BIG, IconLoad(iconName, 32))) return;
    DialogIconSet(dialog, ICON_SMALL, IconLoad(iconName, 16));
}
