// DialogAddControl: child controls of the four kinds, placed in dialog units.
#include <cstdint>
#include <string>

#include "dialog.h"
#include "dialog_images.h"
#include "dialog_records.h"
#include "dialog_thread.h"

namespace {

struct ControlKindInfo {
    const wchar_t* ClassName;
    uint32_t DefaultStyle;
    uint32_t AlwaysAdded;
    uint32_t AlwaysRemoved;
    RecordKind Record;
};

constexpr uint32_t kShown = WS_CHILD | WS_VISIBLE;

// Indexed by ControlKind.
constexpr ControlKindInfo kControlKinds[] = {
    {L"BUTTON", kShown | WS_TABSTOP | BS_PUSHBUTTON, kShown, 0, RecordKind::Button},
    {L"STATIC", kShown | SS_LEFT, kShown, 0, RecordKind::Label},
    {L"EDIT", kShown | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, kShown, 0,
     RecordKind::TextBox},
    {L"STATIC", kShown | SS_BITMAP, kShown | SS_BITMAP, 0, RecordKind::Image},
};

constexpr uint32_t kButtonTypeMask = BS_TYPEMASK;
constexpr uint32_t kStaticBitmapBits = SS_BITMAP;  // cleared for SS_ICON

struct ControlStyle {
    uint32_t Style;
    uint32_t ExStyle;
};

ControlStyle ControlStyleResolve(ControlKind kind, uint32_t style, uint32_t exStyle) {
    const ControlKindInfo& info = kControlKinds[static_cast<int>(kind)];
    ControlStyle resolved{style, exStyle};
    if (style == 0) {
        resolved.Style = info.DefaultStyle;
        // A flat WS_BORDER looks wrong next to the 3-D frame; the default
        // text box gets the sunken client edge instead.
        if (kind == ControlKind::TextBox) {
            resolved.Style &= ~static_cast<uint32_t>(WS_BORDER);
            resolved.ExStyle |= WS_EX_CLIENTEDGE;
        }
    }
    resolved.Style = (resolved.Style | info.AlwaysAdded) & ~info.AlwaysRemoved;
    return resolved;
}

RECT ControlRect(const WindowRecord& dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    if (dialog.UnitsMode == Units::Dialog) MapDialogRect(dialog.Window, &rect);
    return rect;
}

}  // namespace

void DialogAddControl(HWND dialog, int id, const std::string& text, ControlKind kind, int x, int y,
                      int width, int height, uint32_t style, uint32_t exStyle) {
    WindowRecord owner;
    if (!RecordFind(dialog, &owner) || owner.Kind != RecordKind::Dialog) return;
    const ControlKindInfo& info = kControlKinds[static_cast<int>(kind)];
    const RECT rect = ControlRect(owner, x, y, width, height);
    ControlStyle resolved = ControlStyleResolve(kind, style, exStyle);

    const bool isImage = kind == ControlKind::Image;
    const bool isBitmap = isImage && ModuleHasBitmap(text);
    if (isImage && !isBitmap) resolved.Style = (resolved.Style & ~kStaticBitmapBits) | SS_ICON;
    const std::wstring wideText = TextToWide(text);

    HWND control = CreateWindowExW(
        resolved.ExStyle, info.ClassName, isImage ? nullptr : wideText.c_str(), resolved.Style,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) return;

    WindowRecord record;
    record.Window = control;
    record.Dialog = dialog;
    record.Kind = info.Record;
    record.UnitsMode = owner.UnitsMode;
    record.Style = resolved.Style;
    record.ExStyle = resolved.ExStyle;
    record.Font = owner.Font;
    RecordAdd(record);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(owner.Font), TRUE);

    if (kind == ControlKind::Button && (resolved.Style & kButtonTypeMask) == BS_DEFPUSHBUTTON) {
        SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    }
    if (isImage) ImageControlLoad(control, text, isBitmap);
}
