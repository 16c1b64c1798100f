// The main window as a user's inspection tools see it: caption, frame,
// placement, the 65 controls, start texts, keyboard order, icons and picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "probe_client.h"
#include "user_input.h"
#include "velmora_session.h"

// Equal rectangles, for comparing layouts; in the global namespace, where
// lookup from std::pair and std::vector finds it.
static bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

namespace {

// What each kind of control looks like once created: class and effective
// style bits (the defaults of a kind already resolved).
struct Look {
    const char* Class;
    uint32_t Style;
    uint32_t ExStyle;
};

constexpr Look kInput = {"Edit", 0x50010080, WS_EX_CLIENTEDGE};
constexpr Look kResult = {"Edit", 0x50010880, WS_EX_CLIENTEDGE};
constexpr Look kLabel = {"Static", 0x50000000, 0};
constexpr Look kButton = {"Button", 0x50010000, 0};
constexpr Look kPicture = {"Static", 0x5000020E, WS_EX_CLIENTEDGE};

struct ExpectedControl {
    int Id;
    const Look* Kind;
    const char* Text;  // the window text; the picture has none
    int X, Y, Width, Height;
};

// clang-format off
const ExpectedControl kExpected[] = {
    {1001, &kInput, "", 70, 10, 60, 10},      {1002, &kInput, "", 70, 25, 60, 10},
    {1003, &kInput, "", 70, 40, 60, 10},      {1004, &kInput, "", 70, 55, 60, 10},
    {1005, &kInput, "1", 70, 70, 60, 10},
    {1006, &kLabel, "AF1 (1/Q1)", 15, 10, 45, 10}, {1007, &kLabel, "F1", 15, 25, 45, 10},
    {1008, &kLabel, "AF2 (1/Q2)", 15, 40, 45, 10}, {1009, &kLabel, "F2", 15, 55, 45, 10},
    {1010, &kLabel, "C (uF)", 15, 70, 30, 10},
    {1011, &kResult, "", 195, 10, 50, 10},    {1012, &kResult, "", 195, 25, 50, 10},
    {1013, &kResult, "", 195, 40, 50, 10},    {1014, &kResult, "", 195, 55, 50, 10},
    {1015, &kResult, "", 195, 70, 50, 10},
    {1016, &kLabel, "R1", 170, 10, 20, 10},   {1017, &kLabel, "R2", 170, 25, 20, 10},
    {1018, &kLabel, "R3", 170, 40, 20, 10},   {1019, &kLabel, "R4", 170, 55, 20, 10},
    {1020, &kLabel, "K", 170, 70, 20, 10},
    {1021, &kButton, "CALC", 400, 150, 65, 20},
    {1022, &kButton, "EXIT", 400, 180, 65, 20},
    {1023, &kPicture, "", 15, 95, 255, 155},
    {1024, &kButton, "HELP/ABOUT", 400, 210, 65, 20},
    {1025, &kLabel, "ohms", 250, 10, 25, 10}, {1026, &kLabel, "ohms", 250, 25, 25, 10},
    {1027, &kLabel, "ohms", 250, 40, 25, 10}, {1028, &kLabel, "ohms", 250, 55, 25, 10},
    {1030, &kResult, "", 410, 10, 50, 10},    {1031, &kResult, "", 410, 25, 50, 10},
    {1032, &kResult, "", 410, 40, 50, 10},    {1033, &kResult, "", 410, 55, 50, 10},
    {1034, &kResult, "", 410, 85, 50, 10},
    {1035, &kLabel, "R1", 385, 10, 20, 10},   {1036, &kLabel, "R2", 385, 25, 20, 10},
    {1037, &kLabel, "R3", 385, 40, 20, 10},   {1038, &kLabel, "R4", 385, 55, 20, 10},
    {1039, &kLabel, "RK-R", 385, 85, 20, 10},
    {1040, &kLabel, "ohms", 465, 10, 25, 10}, {1041, &kLabel, "ohms", 465, 25, 25, 10},
    {1042, &kLabel, "ohms", 465, 40, 25, 10}, {1043, &kLabel, "ohms", 465, 55, 25, 10},
    {1044, &kLabel, "ohms", 465, 85, 25, 10},
    {1045, &kInput, "2000", 410, 100, 50, 10},
    {1046, &kLabel, "R*", 385, 100, 20, 10},  {1047, &kLabel, "ohms", 465, 100, 25, 10},
    {1048, &kInput, "1000", 310, 30, 50, 10}, {1049, &kInput, "0.01", 310, 45, 50, 10},
    {1050, &kLabel, "FSF", 285, 30, 20, 10},  {1051, &kLabel, "ISF", 285, 45, 20, 10},
    {1054, &kResult, "", 410, 70, 50, 10},
    {1055, &kLabel, "C", 385, 70, 20, 10},    {1056, &kLabel, "uF", 465, 70, 25, 10},
    {1057, &kLabel, "* enter R value then re-calc", 405, 260, 100, 10},
    {1058, &kResult, "", 410, 115, 50, 10},
    {1059, &kLabel, "Freq", 385, 115, 20, 10}, {1060, &kLabel, "Hz", 465, 115, 25, 10},
    {1061, &kButton, "Butterworth", 285, 115, 75, 15},
    {1062, &kLabel, "Load Standard Param.", 290, 95, 75, 15},
    {1063, &kButton, "Bessel", 285, 135, 75, 15},
    {1064, &kButton, "0.5 dB Tchebysheff", 285, 155, 75, 15},
    {1065, &kButton, "1.0 dB Tchebysheff", 285, 175, 75, 15},
    {1066, &kButton, "2.0 dB Tchebysheff", 285, 195, 75, 15},
    {1067, &kButton, "3.0 dB Tchebysheff", 285, 215, 75, 15},
    {1068, &kButton, "TBD", 285, 235, 75, 15},
};
// clang-format on

// Tab order: every text box and button, in creation order.
const int kTabOrder[] = {
    ID_AF1,        ID_F1,         ID_AF2,        ID_F2,         ID_CAP,        ID_PROTO_R1,
    ID_PROTO_R2,   ID_PROTO_R3,   ID_PROTO_R4,   ID_PROTO_K,    ID_CALC,       ID_EXIT,
    ID_HELP,       ID_OUT_R1,     ID_OUT_R2,     ID_OUT_R3,     ID_OUT_R4,     ID_OUT_RKR,
    ID_RSTAR,      ID_FSF,        ID_ISF,        ID_OUT_C,      ID_OUT_FREQ,   ID_STD_BUTTERWORTH,
    ID_STD_BESSEL, ID_STD_CHEB05, ID_STD_CHEB10, ID_STD_CHEB20, ID_STD_CHEB30, ID_STD_TBD};

RECT DialogRect(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

bool SameClass(const std::string& actual, const char* expected) {
    return std::equal(actual.begin(), actual.end(), expected, expected + strlen(expected),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

using MainWindow = VelmoraSession;

TEST_F(MainWindow, CaptionFrameAndPlacement) {
    EXPECT_EQ(WindowText(main), "Velmora Designer  1.03");
    EXPECT_EQ(WindowOwner(main), nullptr);
    EXPECT_EQ(GetParent(main), nullptr);
    EXPECT_EQ(WindowStyle(main), 0x94CB00D4u);
    // The platform adds the modal-frame and window-edge bits that a dialog
    // frame implies; the program asks for WS_EX_CONTROLPARENT alone.
    EXPECT_EQ(WindowExStyle(main) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE),
              static_cast<uint32_t>(WS_EX_CONTROLPARENT));

    // Position and size are converted separately, as a dialog template's are.
    ProbeReport report;
    ASSERT_TRUE(
        ProbeMapRects(app, {DialogRect(145, 138, 0, 0), DialogRect(0, 0, 513, 277)}, report));
    const RECT client = WindowClientOnScreen(main);
    EXPECT_EQ(client.left, report.Rects[0].left);
    EXPECT_EQ(client.top, report.Rects[0].top);
    EXPECT_EQ(client.right - client.left, report.Rects[1].right);
    EXPECT_EQ(client.bottom - client.top, report.Rects[1].bottom);
}

TEST_F(MainWindow, DialogFontIsMsSansSerif8) {
    ProbeReport report;
    ASSERT_TRUE(ProbeMapRects(app, {DialogRect(0, 0, 4, 8)}, report));
    EXPECT_STREQ(report.FontFace, L"MS Sans Serif");
    EXPECT_EQ(report.FontWeight, FW_NORMAL);
    EXPECT_EQ(report.FontItalic, 0);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(report.FontHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72)) << "8 points";
    ReleaseDC(nullptr, screen);
    // Wine creates the template's font with DEFAULT_CHARSET (1), Windows
    // with the template's ANSI_CHARSET (0).
    EXPECT_EQ(report.FontCharset, RunningUnderWine() ? DEFAULT_CHARSET : ANSI_CHARSET);
    // Base units: 6 x 13 pixels on Windows at 96 DPI. Wine substitutes
    // another face for "MS Sans Serif" and gets 6 x 12, unless its own
    // bitmap version of the font is installed (Debian: fonts-wine).
    EXPECT_EQ(report.Rects[0].right, 6);
    const int height = report.Rects[0].bottom;
    if (RunningUnderWine())
        EXPECT_TRUE(height == 12 || height == 13) << height;
    else
        EXPECT_EQ(height, 13);
}

TEST_F(MainWindow, SixtyFiveControlsInCreationOrder) {
    const std::vector<HWND> children = WindowChildren(main);
    ASSERT_EQ(children.size(), std::size(kExpected));

    std::vector<RECT> dialogRects;
    for (const ExpectedControl& c : kExpected)
        dialogRects.push_back(DialogRect(c.X, c.Y, c.Width, c.Height));
    ProbeReport report;
    ASSERT_TRUE(ProbeMapRects(app, dialogRects, report));

    for (size_t k = 0; k < children.size(); ++k) {
        const ExpectedControl& expected = kExpected[k];
        HWND child = children[k];
        SCOPED_TRACE(testing::Message() << "control " << k + 1 << ", ID " << expected.Id);
        EXPECT_EQ(WindowId(child), expected.Id);
        EXPECT_TRUE(SameClass(WindowClass(child), expected.Kind->Class)) << WindowClass(child);
        EXPECT_EQ(WindowText(child), expected.Text);
        EXPECT_EQ(WindowStyle(child), expected.Kind->Style);
        EXPECT_EQ(WindowExStyle(child), expected.Kind->ExStyle);
        EXPECT_EQ(WindowRectInParent(child), report.Rects[k]);
    }
}

TEST_F(MainWindow, TabOrderCyclesThroughBoxesAndButtonsAndWrapsToAf1) {
    std::vector<int> visited;
    HWND at = Control(ID_AF1);
    for (size_t k = 0; k < std::size(kTabOrder); ++k) {
        visited.push_back(WindowId(at));
        at = GetNextDlgTabItem(main, at, FALSE);
    }
    EXPECT_EQ(visited, std::vector<int>(std::begin(kTabOrder), std::end(kTabOrder)));
    EXPECT_EQ(at, Control(ID_AF1)) << "Tab from the last preset button must wrap to AF1";
}

TEST_F(MainWindow, FocusStartsOnAf1AndRealTabKeysFollowTheOrder) {
    ASSERT_TRUE(InputBringToFront(main));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_AF1); }));
    // Rows of (focus before, focus after one Tab).
    const std::pair<int, int> steps[] = {
        {ID_CAP, ID_PROTO_R1}, {ID_HELP, ID_OUT_R1}, {ID_STD_TBD, ID_AF1}};
    for (const auto& [from, to] : steps) {
        SCOPED_TRACE(testing::Message() << "Tab from " << from);
        // Walk there with real Tabs, then take one more step.
        ASSERT_NO_FATAL_FAILURE(FocusByTab(from));
        InputKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(to); }));
    }
}

TEST_F(MainWindow, MaximiseAndMinimiseLeaveEveryControlInPlace) {
    auto layout = [&] {
        std::vector<std::pair<HWND, RECT>> rects;
        for (HWND child : WindowChildren(main))
            rects.emplace_back(child, WindowRectInParent(child));
        return rects;
    };
    const auto before = layout();
    const RECT client = WindowClientOnScreen(main);
    // Rows: the system command, and how the window must look afterwards.
    const std::pair<UINT, bool (*)(HWND)> steps[] = {
        {SC_MAXIMIZE, [](HWND w) { return IsZoomed(w) != FALSE; }},
        {SC_RESTORE, [](HWND w) { return !IsZoomed(w) && !IsIconic(w); }},
        {SC_MINIMIZE, [](HWND w) { return IsIconic(w) != FALSE; }},
        {SC_RESTORE, [](HWND w) { return !IsZoomed(w) && !IsIconic(w); }},
    };
    for (const auto& [command, reached] : steps) {
        SCOPED_TRACE(command);
        PostMessageW(main, WM_SYSCOMMAND, command, 0);
        ASSERT_TRUE(WaitUntil([&, check = reached] { return check(main); }));
        if (command == SC_MAXIMIZE) {
            EXPECT_TRUE(WaitUntil([&] {
                const RECT large = WindowClientOnScreen(main);
                return large.right - large.left > client.right - client.left;
            })) << "maximised, the window fills the work area";
        }
        if (!IsIconic(main)) {
            EXPECT_EQ(layout(), before);
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return WindowClientOnScreen(main) == client; }))
        << "restored to its place and size";
}

TEST_F(MainWindow, IconsAndSchematicPicture) {
    ProbeReport report;
    ASSERT_TRUE(ProbeMapRects(app, {DialogRect(15, 95, 255, 155)}, report));
    EXPECT_EQ(report.LargeIcon.Width, 32);
    EXPECT_EQ(report.LargeIcon.Height, 32);
    EXPECT_EQ(report.SmallIcon.Width, 16);
    EXPECT_EQ(report.SmallIcon.Height, 16);
    EXPECT_EQ(report.Picture.Width, 380);
    EXPECT_EQ(report.Picture.Height, 250);
    // The box keeps its dialog-unit size whatever the bitmap's (checked with
    // the other controls). With Windows' 13-pixel base unit it is just larger
    // than the bitmap; Wine's 12-pixel unit makes it 17 pixels shorter.
    const RECT box = report.Rects[0];
    if (box.bottom - box.top == 252) {
        EXPECT_EQ(box.right - box.left, 383);
    }
}

TEST_F(MainWindow, ResultBoxesTakeFocusAndCopyButRefuseTyping) {
    WindowSendCommand(main, ID_STD_BUTTERWORTH, BN_CLICKED);
    WindowSendCommand(main, ID_CALC, BN_CLICKED);
    ASSERT_EQ(Text(ID_PROTO_R1), "119421.6");
    ASSERT_TRUE(InputBringToFront(main));

    // Tab from K lands on CALC; Shift+Tab back to K selects its whole text.
    ASSERT_NO_FATAL_FAILURE(FocusByClick(ID_PROTO_K));
    InputType("77");
    InputKey(VK_BACK);
    InputKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_CALC); }));
    EXPECT_EQ(Text(ID_PROTO_K), "2.038");

    InputChord(VK_SHIFT, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_PROTO_K); }));
    const auto selection = static_cast<DWORD>(SendMessageW(Control(ID_PROTO_K), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 5) << "the whole text is selected";

    // Wine hands the clipboard to X11 asynchronously; a copy that did not
    // arrive is tried again, up to three times.
    auto clipboardText = [] {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    };
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    bool copied = false;
    for (int attempt = 0; attempt < 3 && !copied; ++attempt) {
        InputChord(VK_CONTROL, 'C');
        copied = WaitUntil([&] { return clipboardText() == L"2.038"; }, 3000);
    }
    EXPECT_TRUE(copied);
}

}  // namespace
