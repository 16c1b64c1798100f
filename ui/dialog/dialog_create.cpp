// DialogCreate: a DLGTEMPLATEEX without items, built field by field, so the
// platform's dialog manager makes the window, its font and its dialog units.
#include <cstdint>
#include <cstring>
#include <string>

#include "dialog.h"
#include "dialog_records.h"
#include "dialog_thread.h"

namespace {

constexpr uint32_t kDefaultDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr uint32_t kAlwaysAdded = DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
// Hidden until the modal run shows it, and never system-modal.
constexpr uint32_t kAlwaysRemoved = WS_VISIBLE | DS_SYSMODAL;

// The template is written into a fixed buffer; 512 bytes hold the header,
// the one-blank title and a face name of up to LF_FACESIZE characters.
struct TemplateBuffer {
    alignas(4) uint8_t Bytes[512] = {};
    size_t Used = 0;
};

void TemplatePut(TemplateBuffer& t, const void* data, size_t size) {
    if (t.Used + size > sizeof t.Bytes) return;
    std::memcpy(t.Bytes + t.Used, data, size);
    t.Used += size;
}

void TemplatePut8(TemplateBuffer& t, uint8_t value) {
    TemplatePut(t, &value, sizeof value);
}
void TemplatePut16(TemplateBuffer& t, uint16_t value) {
    TemplatePut(t, &value, sizeof value);
}
void TemplatePut32(TemplateBuffer& t, uint32_t value) {
    TemplatePut(t, &value, sizeof value);
}

void TemplatePutText(TemplateBuffer& t, const std::wstring& text) {
    for (wchar_t c : text.substr(0, LF_FACESIZE - 1))
        TemplatePut16(t, static_cast<uint16_t>(c));
    TemplatePut16(t, 0);
}

uint32_t DialogStyleResolve(uint32_t style, bool hasParent, int x, int y) {
    uint32_t resolved = style != 0 ? style : kDefaultDialogStyle;
    resolved = (resolved | kAlwaysAdded) & ~kAlwaysRemoved;
    if (x == kDialogCentred || y == kDialogCentred) resolved |= DS_CENTER;
    if (resolved & WS_CHILD) {
        resolved &= ~(WS_POPUP | DS_ABSALIGN);
        // A child needs a parent; without one it becomes a popup.
        if (!hasParent) resolved = (resolved & ~WS_CHILD) | WS_POPUP;
    }
    return resolved;
}

void TemplateBuild(TemplateBuffer& t, uint32_t style, uint32_t exStyle, int x, int y, int width,
                   int height) {
    const DialogFont font = DialogFontEntry(kDialogFontEntry);
    TemplatePut16(t, 1);       // dlgVer
    TemplatePut16(t, 0xFFFF);  // signature: extended template
    TemplatePut32(t, 0);       // helpID
    TemplatePut32(t, exStyle);
    TemplatePut32(t, style);
    TemplatePut16(t, 0);  // no items: controls are added as windows later
    TemplatePut16(t, static_cast<uint16_t>(x));
    TemplatePut16(t, static_cast<uint16_t>(y));
    TemplatePut16(t, static_cast<uint16_t>(width));
    TemplatePut16(t, static_cast<uint16_t>(height));
    TemplatePut16(t, 0);  // no menu
    TemplatePut16(t, 0);  // the platform's dialog class
    // The real caption comes through SetWindowTextW, converted from the
    // program's code page like every other text.
    TemplatePutText(t, L" ");
    TemplatePut16(t, font.Points);
    TemplatePut16(t, font.Weight);
    TemplatePut8(t, font.Italic ? 1 : 0);
    TemplatePut8(t, font.Charset);
    TemplatePutText(t, font.Face);
}

int ShowCommandFromStyle(uint32_t style) {
    if (style & WS_MAXIMIZE) return SW_SHOWMAXIMIZED;
    if (style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
    return SW_SHOW;
}

// Pixel mode: the size is the client size, the position is relative to the
// parent's client area (or centred in the work area).
void DialogPlaceInPixels(HWND dialog, HWND parent, uint32_t style, uint32_t exStyle, int x, int y,
                         int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    POINT origin{x, y};
    if (style & DS_CENTER) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        origin.x = work.left + (work.right - work.left - outerWidth) / 2;
        origin.y = work.top + (work.bottom - work.top - outerHeight) / 2;
    } else if (parent && !(style & WS_CHILD)) {
        ClientToScreen(parent, &origin);
    }
    SetWindowPos(dialog, nullptr, origin.x, origin.y, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND DialogCreate(Units units, HWND parent, const std::string& caption, int x, int y, int width,
                  int height, uint32_t style, uint32_t exStyle) {
    const uint32_t resolved = DialogStyleResolve(style, parent != nullptr, x, y);
    TemplateBuffer t;
    TemplateBuild(t, resolved, exStyle, x, y, width, height);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(t.Bytes), parent,
                                             DialogProcedure, 0);
    if (!dialog) return nullptr;
    if (units == Units::Pixels) {
        DialogPlaceInPixels(dialog, parent, resolved, exStyle, x, y, width, height);
    }
    SetWindowTextW(dialog, TextToWide(caption).c_str());

    WindowRecord record;
    record.Window = dialog;
    record.Dialog = dialog;
    record.Kind = RecordKind::Dialog;
    record.UnitsMode = units;
    record.Style = resolved;
    record.ExStyle = exStyle;
    record.ShowCommand = ShowCommandFromStyle(resolved);
    record.Font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    RecordAdd(record);
    return dialog;
}
