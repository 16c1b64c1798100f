// The main window as the program builds it, in this process: its layout,
// what its buttons do and what many calculations leave behind, each read
// while the real modal run is going on.
#include <windows.h>

#include <psapi.h>

#include <functional>
#include <sstream>
#include <vector>

#include "approval.h"
#include "control_ids.h"
#include "control_table.h"
#include "dialog_thread.h"
#include "help_page.h"
#include "main_window.h"

namespace {

std::function<void(HWND)> runBody;

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = GetActiveWindow();
    runBody(window);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_EXIT, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(window)) << "EXIT did not end the window";
    if (IsWindow(window)) DestroyWindow(window);
}

// Builds and runs the main window as the program does and calls body with it
// from inside the modal run, once it is shown (a thread timer, which only
// that run's message loop dispatches); then presses EXIT.
void WithMainWindow(std::function<void(HWND)> body) {
    DialogThreadStart();
    runBody = std::move(body);
    SetTimer(nullptr, 0, 0, RunBody);
    EXPECT_EQ(BuildMainWindow(nullptr), 0);
    EXPECT_EQ(DialogRecordCount(), 0);
    DialogThreadEnd();
}

std::string TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return TextFromWide(text);
}

std::string Styles(HWND window, uint32_t exStyleIgnored = 0) {
    char text[24];
    std::snprintf(text, sizeof text, "%08lX %08lX", GetWindowLongW(window, GWL_STYLE),
                  GetWindowLongW(window, GWL_EXSTYLE) & ~static_cast<LONG>(exStyleIgnored));
    return text;
}

std::string SizeOf(HANDLE bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight);
}

std::string IconSize(HWND window, WPARAM which) {
    ICONINFO info{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info);
    const std::string size = SizeOf(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// A dialog-unit rectangle as the window maps it, and where a child really is.
RECT Mapped(HWND window, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(window, &rect);
    return rect;
}
RECT PlacedIn(HWND parent, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The frame, its font and icons, one line per child in creation order, and
// the Tab order. Positions are the table's dialog units, each checked
// against where the control really is.
std::string LayoutText(HWND window) {
    std::ostringstream out;
    const MainWindowFrame& frame = kMainWindowFrame;
    // The platform adds the edge bits that a dialog frame implies.
    out << "window " << Readable(TextOf(window)) << " "
        << Styles(window, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE) << " owner "
        << (GetWindow(window, GW_OWNER) ? "some" : "none") << " at " << frame.X << "," << frame.Y
        << " client " << frame.Width << "x" << frame.Height << "\n";

    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    HDC screen = GetDC(nullptr);
    out << "font " << Readable(TextFromWide(face.lfFaceName)) << " "
        << MulDiv(-face.lfHeight, 72, GetDeviceCaps(screen, LOGPIXELSY)) << " pt weight "
        << face.lfWeight << " italic " << int(face.lfItalic) << ", icons "
        << IconSize(window, ICON_BIG) << " and " << IconSize(window, ICON_SMALL) << "\n";
    ReleaseDC(nullptr, screen);

    size_t k = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (k == MainWindowControls().size()) {
            ADD_FAILURE() << "more children than rows";
            break;
        }
        const ControlRow& row = MainWindowControls()[k++];
        const RECT placed = PlacedIn(window, child);
        const RECT mapped = Mapped(window, row.X, row.Y, row.Width, row.Height);
        EXPECT_TRUE(EqualRect(&placed, &mapped)) << "control " << row.Id;
        if (row.Kind != ControlKind::Image) {  // a picture keeps no font
            EXPECT_EQ(SendMessageW(child, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
        }
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        out << GetDlgCtrlID(child) << " " << className << " " << Styles(child) << " " << row.X
            << "," << row.Y << " " << row.Width << "x" << row.Height << " "
            << Readable(TextOf(child));
        if (row.Kind == ControlKind::Image)
            out << " bitmap "
                << SizeOf(reinterpret_cast<HANDLE>(
                       SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0)));
        out << "\n";
    }
    EXPECT_EQ(k, MainWindowControls().size());
    out << "tab order";
    const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    HWND item = first;
    for (int n = 0; item && n < 100 && (n == 0 || item != first); ++n) {
        out << " " << GetDlgCtrlID(item);
        item = GetNextDlgTabItem(window, item, FALSE);
    }
    return out.str() + "\n";
}

TEST(MainWindow, LayoutAsApprovedAndKeptWhenMaximised) {
    WithMainWindow([](HWND window) {
        const MainWindowFrame& frame = kMainWindowFrame;
        // A template maps its position and its size separately.
        const RECT at = Mapped(window, frame.X, frame.Y, 0, 0);
        const RECT size = Mapped(window, 0, 0, frame.Width, frame.Height);
        const RECT wanted{at.left, at.top, at.left + size.right, at.top + size.bottom};
        RECT client{};
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        EXPECT_TRUE(EqualRect(&client, &wanted));
        const std::string layout = LayoutText(window);
        EXPECT_TRUE(MatchesApproved(layout, "windows/main_window_layout.txt"));
        // Maximised, the window grows and every control stays where it was.
        SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(IsZoomed(window));
        const std::string controls = LayoutText(window);
        EXPECT_EQ(controls.substr(controls.find('\n')), layout.substr(layout.find('\n')));
    });
}

int helpPages = 0;
HWND mainWindow = nullptr;

// Help pages are shown from inside the command, each with its own message
// loop, which runs this. The page has no owner, so the window stays usable:
// inside the first page HELP/ABOUT opens a second one above it, and inside
// that a preset works and EXIT ends the window, while the page stays until
// it is dismissed.
void CALLBACK OnHelpPage(HWND, UINT, UINT_PTR, DWORD) {
    HWND page = GetActiveWindow();
    if (!IsWindowVisible(page) || page == mainWindow || GetPropW(page, L"seen")) return;
    SetPropW(page, L"seen", page);
    EXPECT_EQ(TextOf(GetDlgItem(page, 0xFFFF)), HelpPageText());
    EXPECT_EQ(GetWindow(page, GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    EXPECT_TRUE(GetDlgItem(page, IDOK) && !GetDlgItem(page, IDCANCEL)) << "one OK button";
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    for (const int id :
         ++helpPages == 1 ? std::vector{ID_HELP} : std::vector{ID_STD_BESSEL, ID_EXIT})
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(page));
    RemovePropW(page, L"seen");
    PostMessageW(page, WM_COMMAND, IDOK, 0);
}

// Every text box's text in table order, the help pages shown so far, and
// whether the window is still there.
std::vector<std::string> StateOf(HWND window) {
    std::vector<std::string> state = {std::to_string(helpPages), IsWindow(window) ? "" : "gone"};
    for (const ControlRow& row : MainWindowControls())
        if (row.Kind == ControlKind::TextBox)
            state.push_back(std::to_string(row.Id) + "=" +
                            Readable(ControlGetText(window, row.Id)));
    return state;
}

// One step of a story: a text typed into a box, or commands with
// notification codes, sent to the window as its controls send them.
struct Step {
    const char* Label;
    std::vector<int> Ids;
    std::vector<int> Codes;
    const char* Typed = nullptr;
};

const std::vector<int> kButtons = {
    ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB05, ID_STD_CHEB10, ID_STD_CHEB20,
    ID_STD_CHEB30,      ID_STD_TBD,    ID_CALC,       ID_EXIT,       ID_HELP};

const Step kStory[] = {
    {"Butterworth", {ID_STD_BUTTERWORTH}, {BN_CLICKED}},
    {"CALC", {ID_CALC}, {BN_CLICKED}},
    {"Bessel", {ID_STD_BESSEL}, {BN_CLICKED}},
    {"0.5 dB", {ID_STD_CHEB05}, {BN_CLICKED}},
    {"1.0 dB", {ID_STD_CHEB10}, {BN_CLICKED}},
    {"2.0 dB as an accelerator sends it", {ID_STD_CHEB20}, {1}},
    {"3.0 dB", {ID_STD_CHEB30}, {BN_CLICKED}},
    {"CALC as an accelerator sends it", {ID_CALC}, {1}},
    {"TBD", {ID_STD_TBD}, {BN_CLICKED}},
    {"CALC", {ID_CALC}, {BN_CLICKED}},
    {"every button with the codes of no press",
     kButtons,
     {BN_DBLCLK, BN_SETFOCUS, BN_KILLFOCUS, EN_CHANGE, EN_UPDATE, 0x8000, 0xFFFF}},
    {"IDs without an action",
     {IDOK, IDCANCEL, ID_AF1, ID_CAP, ID_PROTO_R1, ID_OUT_FREQ, ID_RSTAR, 1006, 1029, 1062, 2000},
     {BN_CLICKED, 1, EN_CHANGE, EN_UPDATE}},
    {"Butterworth", {ID_STD_BUTTERWORTH}, {BN_CLICKED}},
    {"C typed", {ID_CAP}, {}, "10"},
    {"FSF typed", {ID_FSF}, {}, "10000"},
    {"CALC", {ID_CALC}, {BN_CLICKED}},
    {"ISF typed", {ID_ISF}, {}, "0"},
    {"CALC", {ID_CALC}, {BN_CLICKED}},
    {"HELP/ABOUT", {ID_HELP}, {BN_CLICKED}},
};

// The story as a transcript: each step and what it changed.
TEST(MainWindow, CommandsAsApproved) {
    std::ostringstream transcript;
    WithMainWindow([&](HWND window) {
        mainWindow = window;
        const UINT_PTR pages = SetTimer(nullptr, 0, 10, OnHelpPage);
        std::vector<std::string> state = StateOf(window);
        for (const Step& step : kStory) {
            if (step.Typed) ControlSetText(window, step.Ids[0], step.Typed);
            for (const int id : step.Ids)
                for (const int code : step.Codes)
                    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code),
                                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
            const std::vector<std::string> now = StateOf(window);
            transcript << step.Label << ":";
            if (now[0] != state[0]) transcript << " help pages shown: " << now[0];
            for (size_t k = 1; k < now.size(); ++k)
                if (now[k] != state[k] && (k == 1 || now[1].empty())) transcript << " " << now[k];
            transcript << (now == state ? " nothing\n" : "\n");
            state = now;
        }
        KillTimer(nullptr, pages);
    });
    EXPECT_TRUE(MatchesApproved(transcript.str(), "windows/main_window_commands.txt"));
}

// GDI objects of this process. Wine's GetGuiResources answers 0; there the
// live entries of the process's GDI handle table (GdiSharedHandleTable in
// the PEB, 24 bytes an entry, the type byte at 14) are counted instead.
uint32_t GdiObjects() {
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
    const uint8_t* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const uint8_t* const*>(peb + 0x94);
    uint32_t count = 0;
    for (int i = 0; table && i < 0x10000; ++i)
        count += table[i * 24 + 14] != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<uint32_t*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// GDI objects, windows, handles and committed bytes of this process.
std::vector<size_t> Usage() {
    uint32_t windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return {GdiObjects(), windows, handles, memory.PagefileUsage};
}

// Calculations on ever new inputs: before each, one box in turn gets its
// next text, so that every eighth calculation reads a new round of texts.
// Empty and unreadable parameter texts among them give the slow
// thousand-character infinities now and then.
void Calculate(HWND window, int count) {
    static const char* const kTexts[] = {"1.847759", "3.023265", ".765367", "",      "1",
                                         "abc",      "0.01",     "2000",    "12e3x", "1000"};
    const int boxes[] = {ID_AF1, ID_F1, ID_AF2, ID_F2, ID_CAP, ID_FSF, ID_RSTAR, ID_ISF};
    for (int k = 0; k < count; ++k) {
        ControlSetText(window, boxes[k % 8], kTexts[(k / 8 + k % 8) % std::size(kTexts)]);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_CALC, BN_CLICKED), 0);
    }
}

TEST(MainWindow, CalculationsLeaveNothingBehind) {
    WithMainWindow([](HWND window) {
        Calculate(window, 40);  // the edit controls' buffers grow to their size
        const std::vector<size_t> before = Usage();
        Calculate(window, 160);
        std::vector<size_t> after = Usage();
        EXPECT_GT(before[0], 0u) << "GDI objects counted";
        // Two pages of slack for the heap's own growth; a leaking text would show.
        EXPECT_LE(after[3], before[3] + 8192);
        after[3] = before[3];
        EXPECT_EQ(after, before) << "GDI objects, windows, handles";
    });
}

}  // namespace
