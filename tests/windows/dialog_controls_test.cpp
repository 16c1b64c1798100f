// Dialog creation and child controls: styles, positions, pictures, and the
// pictures freed with their dialog.
#include <cwctype>

#include "dialog_test_support.h"

namespace {

using DialogControlsTest = DialogTest;

uint32_t StyleOf(HWND window) {
    return static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE));
}

bool IconAlive(HANDLE icon) {
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

TEST_F(DialogControlsTest, CreatesAHiddenDialogWithTheRealCaption) {
    HWND dlg = DialogCreate(Units::Dialog, nullptr, "Velmora Designer  1.03", 10, 10, 100, 50,
                            WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SYSMODAL, 0);
    EXPECT_FALSE(IsWindowVisible(dlg));
    EXPECT_EQ(StyleOf(dlg) & (DS_SYSMODAL | WS_CAPTION | WS_SYSMENU | DS_SETFONT),
              static_cast<uint32_t>(WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    wchar_t caption[64] = {};
    GetWindowTextW(dlg, caption, 64);
    EXPECT_STREQ(caption, L"Velmora Designer  1.03");
    DestroyWindow(dlg);
}

TEST_F(DialogControlsTest, ControlKindsGetTheirClassesAndStyles) {
    struct Row {
        ControlKind Kind;
        uint32_t Style, ExStyle;  // as passed
        const wchar_t* Class;
        uint32_t StyleWanted, ExStyleWanted;
    };
    constexpr uint32_t kShown = WS_CHILD | WS_VISIBLE;
    const Row rows[] = {
        {ControlKind::Button, 0, 0, L"BUTTON", kShown | WS_TABSTOP | BS_PUSHBUTTON, 0},
        {ControlKind::Label, 0, 0, L"STATIC", kShown | SS_LEFT, 0},
        // A flat border would be wrong: the default box is sunken instead.
        {ControlKind::TextBox, 0, 0, L"EDIT", kShown | WS_TABSTOP | ES_AUTOHSCROLL,
         WS_EX_CLIENTEDGE},
        // An explicit style gets WS_CHILD | WS_VISIBLE and nothing else.
        {ControlKind::TextBox, ES_AUTOHSCROLL, 0, L"EDIT", kShown | ES_AUTOHSCROLL, 0},
        {ControlKind::TextBox, kShown | WS_TABSTOP | ES_READONLY, WS_EX_CLIENTEDGE, L"EDIT",
         kShown | WS_TABSTOP | ES_READONLY, WS_EX_CLIENTEDGE},
        {ControlKind::Label, SS_RIGHT, WS_EX_STATICEDGE, L"STATIC", kShown | SS_RIGHT,
         WS_EX_STATICEDGE},
        {ControlKind::Image, 0, 0, L"STATIC", kShown | SS_BITMAP, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.Kind) << " " << row.Style);
        HWND dlg = TestDialogCreate();
        DialogAddControl(dlg, 100, "Schematic", row.Kind, 5, 5, 60, 12, row.Style, row.ExStyle);
        HWND control = GetDlgItem(dlg, 100);
        wchar_t name[16] = {};
        GetClassNameW(control, name, 16);
        EXPECT_EQ(_wcsupr(name), std::wstring(row.Class));
        // The platform may add bits of its own (an edit control's
        // ES_AUTOVSCROLL and the like), never take one away.
        EXPECT_EQ(StyleOf(control) & 0xFFFF0000, row.StyleWanted & 0xFFFF0000);
        EXPECT_EQ(StyleOf(control) & 0xFFFF & row.StyleWanted, row.StyleWanted & 0xFFFF);
        EXPECT_EQ(static_cast<uint32_t>(GetWindowLongW(control, GWL_EXSTYLE)), row.ExStyleWanted);
        // A picture has no text, and no font to keep.
        if (row.Kind != ControlKind::Image) {
            EXPECT_EQ(SendDlgItemMessageW(dlg, 100, WM_GETFONT, 0, 0),
                      SendMessageW(dlg, WM_GETFONT, 0, 0));
        }
        DestroyWindow(dlg);
    }
}

TEST_F(DialogControlsTest, PositionsAreDialogUnitsOrPixels) {
    const RECT rows[] = {{70, 10, 60, 10}, {15, 95, 255, 155}, {0, 0, 1, 1}, {3, 7, 5, 9}};
    for (Units units : {Units::Dialog, Units::Pixels}) {
        HWND dlg = TestDialogCreate(0, units);
        auto wanted = [&](int x, int y, int width, int height) {
            return units == Units::Dialog ? DialogUnitsToPixels(dlg, x, y, width, height)
                                          : RECT{x, y, x + width, y + height};
        };
        RECT client{};
        GetClientRect(dlg, &client);
        const RECT wantedClient = wanted(0, 0, kTestWidth, kTestHeight);
        EXPECT_TRUE(EqualRect(&client, &wantedClient)) << client.right << "x" << client.bottom;
        for (const RECT& row : rows) {
            SCOPED_TRACE(testing::Message() << row.left << "," << row.top << " " << row.right << "x"
                                            << row.bottom << " units " << int(units));
            DialogAddControl(dlg, 100, "", ControlKind::Label, row.left, row.top, row.right,
                             row.bottom, 0, 0);
            HWND control = GetDlgItem(dlg, 100);
            RECT placed{};
            GetWindowRect(control, &placed);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&placed), 2);
            const RECT want = wanted(row.left, row.top, row.right, row.bottom);
            EXPECT_TRUE(EqualRect(&placed, &want));
            DestroyWindow(control);
        }
        DestroyWindow(dlg);
    }
}

// Rows: a picture's name, what it shows as, and whether it loads. Whatever
// loaded is freed with the dialog.
TEST_F(DialogControlsTest, ImageNamesFindBitmapsThenIcons) {
    struct Row {
        const char* Name;
        uint32_t Type;  // SS_BITMAP or SS_ICON
        bool Shown;
    };
    const Row rows[] = {
        {"Schematic", SS_BITMAP, true}, {"SCHEMATIC", SS_BITMAP, true},
        {"sChEmAtIc", SS_BITMAP, true}, {"#7", SS_BITMAP, true},
        {"TestIcon", SS_ICON, true},    {"Schemati", SS_ICON, false},
        {"Schematics", SS_ICON, false}, {"#8", SS_ICON, false},
        {"", SS_ICON, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        HWND dlg = TestDialogCreate();
        DialogAddControl(dlg, 100, row.Name, ControlKind::Image, 5, 5, 60, 40, 0, 0);
        HWND image = GetDlgItem(dlg, 100);
        EXPECT_EQ(StyleOf(image) & SS_TYPEMASK, row.Type);
        const bool bitmap = row.Type == SS_BITMAP;
        const auto shown = reinterpret_cast<HANDLE>(
            SendMessageW(image, STM_GETIMAGE, bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0));
        EXPECT_EQ(shown != nullptr, row.Shown);
        EXPECT_EQ(GetWindowTextLengthW(image), 0);  // the name is no window text
        DestroyWindow(dlg);
        EXPECT_FALSE(shown && (bitmap ? GetObjectType(shown) != 0 : IconAlive(shown)));
    }
}

TEST_F(DialogControlsTest, IconGroupSetsLargeAndSmallIconsAndFreesThem) {
    for (const char* name : {"TESTICON", "testicon", "NOSUCHICON"}) {
        SCOPED_TRACE(name);
        const bool found = name[0] != 'N';
        HWND dlg = TestDialogCreate();
        DialogLoadIcon(dlg, name);
        auto icon = [&](WPARAM which) {
            return reinterpret_cast<HICON>(SendMessageW(dlg, WM_GETICON, which, 0));
        };
        const HICON replaced = icon(ICON_BIG);
        DialogLoadIcon(dlg, name);
        const HICON large = icon(ICON_BIG), small = icon(ICON_SMALL);
        EXPECT_EQ(large != nullptr, found);
        EXPECT_EQ(small != nullptr, found);
        EXPECT_EQ(found, !IconAlive(replaced) && large != replaced) << "the old icon is freed";
        ICONINFO info{};
        BITMAP mask{};
        GetIconInfo(large, &info);
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, found ? 32 : 0);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyWindow(dlg);
        EXPECT_FALSE(IconAlive(large) || IconAlive(small)) << "freed with the dialog";
    }
}

}  // namespace
