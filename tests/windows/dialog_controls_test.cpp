// Dialog creation and child controls: styles, positions, font, pictures.
#include <cwctype>

#include "dialog_test_support.h"

namespace {

using DialogControlsTest = DialogTest;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring upper(name);
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(std::towupper(c));
    return upper;
}

uint32_t StyleOf(HWND window) {
    return static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE));
}
uint32_t ExStyleOf(HWND window) {
    return static_cast<uint32_t>(GetWindowLongW(window, GWL_EXSTYLE));
}

RECT RectInClient(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(DialogControlsTest, CreatesAHiddenDialogWithTheRealCaption) {
    HWND dlg = DialogCreate(Units::Dialog, nullptr, "Velmora Designer  1.03", 10, 10, 100, 50,
                            0x94CB00D4 | DS_SYSMODAL, WS_EX_CONTROLPARENT);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg));
    EXPECT_EQ(StyleOf(dlg) & DS_SYSMODAL, 0u);
    EXPECT_EQ(StyleOf(dlg) & (WS_CAPTION | WS_SYSMENU),
              static_cast<uint32_t>(WS_CAPTION | WS_SYSMENU));
    wchar_t caption[64] = {};
    GetWindowTextW(dlg, caption, 64);
    EXPECT_STREQ(caption, L"Velmora Designer  1.03");
    DestroyWindow(dlg);
}

TEST_F(DialogControlsTest, ControlKindsGetTheirClassesAndStyles) {
    struct Row {
        const char* Name;
        ControlKind Kind;
        const char* Text;
        uint32_t Style, ExStyle;
        const wchar_t* Class;
        uint32_t StyleWanted, StyleBanned;
        uint32_t ExWanted, ExBanned;
    };
    const Row rows[] = {
        {"button", ControlKind::Button, "Go", 0, 0, L"BUTTON", 0x50010000, 0x0F, 0,
         WS_EX_CLIENTEDGE},
        {"label", ControlKind::Label, "ohms", 0, 0, L"STATIC", 0x50000000, WS_TABSTOP | 0x1F, 0,
         WS_EX_CLIENTEDGE},
        // A flat border would be wrong: the default box is sunken instead.
        {"text box", ControlKind::TextBox, "", 0, 0, L"EDIT", 0x50010080, WS_BORDER,
         WS_EX_CLIENTEDGE, 0},
        {"result box", ControlKind::TextBox, "", 0x50010880, WS_EX_CLIENTEDGE, L"EDIT", 0x50010880,
         0, WS_EX_CLIENTEDGE, 0},
        // An explicit style gets WS_CHILD | WS_VISIBLE and nothing else.
        {"bare text box", ControlKind::TextBox, "", ES_AUTOHSCROLL, 0, L"EDIT",
         0x50000000 | ES_AUTOHSCROLL, WS_TABSTOP, 0, WS_EX_CLIENTEDGE},
        {"image", ControlKind::Image, "Schematic", 0x5000020E, WS_EX_CLIENTEDGE, L"STATIC",
         0x5000020E, 0, WS_EX_CLIENTEDGE, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        HWND dlg = TestDialogCreate();
        DialogAddControl(dlg, 100, row.Text, row.Kind, 5, 5, 60, 12, row.Style, row.ExStyle);
        HWND control = GetDlgItem(dlg, 100);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), row.Class);
        EXPECT_EQ(StyleOf(control) & row.StyleWanted, row.StyleWanted);
        EXPECT_EQ(StyleOf(control) & row.StyleBanned, 0u);
        EXPECT_EQ(ExStyleOf(control) & row.ExWanted, row.ExWanted);
        EXPECT_EQ(ExStyleOf(control) & row.ExBanned, 0u);
        DestroyWindow(dlg);
    }
}

TEST_F(DialogControlsTest, PositionsAreDialogUnitsOfTheDialogFont) {
    struct Row {
        int X, Y, Width, Height;
    };
    const Row rows[] = {{70, 10, 60, 10}, {15, 95, 255, 155}, {0, 0, 1, 1}, {3, 7, 5, 9}};
    for (Units units : {Units::Dialog, Units::Pixels}) {
        HWND dlg = TestDialogCreate(0, units);
        RECT client{};
        GetClientRect(dlg, &client);
        const RECT wantedClient = units == Units::Dialog
                                      ? DialogUnitsToPixels(dlg, 0, 0, kTestWidth, kTestHeight)
                                      : RECT{0, 0, kTestWidth, kTestHeight};
        EXPECT_TRUE(EqualRect(&client, &wantedClient))
            << "client " << client.right << "x" << client.bottom;
        int id = 100;
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message()
                         << row.X << "," << row.Y << " " << row.Width << "x" << row.Height
                         << (units == Units::Dialog ? " DU" : " px"));
            DialogAddControl(dlg, id, "", ControlKind::Label, row.X, row.Y, row.Width, row.Height,
                             0, 0);
            const RECT wanted = units == Units::Dialog
                                    ? DialogUnitsToPixels(dlg, row.X, row.Y, row.Width, row.Height)
                                    : RECT{row.X, row.Y, row.X + row.Width, row.Y + row.Height};
            const RECT placed = RectInClient(GetDlgItem(dlg, id));
            EXPECT_TRUE(EqualRect(&placed, &wanted));
            ++id;
        }
        DestroyWindow(dlg);
    }
}

TEST_F(DialogControlsTest, ControlsUseTheDialogFont) {
    HWND dlg = TestDialogCreate();
    DialogAddControl(dlg, 100, "Go", ControlKind::Button, 5, 5, 40, 14, 0, 0);
    DialogAddControl(dlg, 101, "", ControlKind::TextBox, 5, 25, 40, 12, 0, 0);
    auto font = reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    for (int id : {100, 101}) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageW(dlg, id, WM_GETFONT, 0, 0)), font);
    }
    LOGFONTW face{};
    ASSERT_NE(GetObjectW(font, sizeof face, &face), 0);
    EXPECT_STREQ(face.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(face.lfWeight, FW_NORMAL);
    EXPECT_FALSE(face.lfItalic);
    // The template asks for ANSI_CHARSET; Wine's dialog manager makes the
    // font with DEFAULT_CHARSET.
    EXPECT_TRUE(face.lfCharSet == ANSI_CHARSET || face.lfCharSet == DEFAULT_CHARSET);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    DestroyWindow(dlg);
}

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
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(StyleOf(image) & SS_TYPEMASK, row.Type);
        const WPARAM imageType = row.Type == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON;
        EXPECT_EQ(SendMessageW(image, STM_GETIMAGE, imageType, 0) != 0, row.Shown);
        EXPECT_EQ(GetWindowTextLengthW(image), 0);  // the name is no window text
        DestroyWindow(dlg);
    }
}

TEST_F(DialogControlsTest, IconGroupSetsLargeAndSmallIcons) {
    struct Row {
        const char* Name;
        bool Found;
    };
    const Row rows[] = {{"TESTICON", true}, {"testicon", true}, {"NOSUCHICON", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        HWND dlg = TestDialogCreate();
        DialogLoadIcon(dlg, row.Name);
        DialogLoadIcon(dlg, row.Name);  // the icons it replaces are freed
        auto largeIcon = reinterpret_cast<HICON>(SendMessageW(dlg, WM_GETICON, ICON_BIG, 0));
        auto smallIcon = reinterpret_cast<HICON>(SendMessageW(dlg, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(largeIcon != nullptr, row.Found);
        EXPECT_EQ(smallIcon != nullptr, row.Found);
        if (row.Found) {
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(largeIcon, &info));
            BITMAP mask{};
            GetObjectW(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, 32);
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
        DestroyWindow(dlg);
    }
}

}  // namespace
