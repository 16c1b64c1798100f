// The Help/About page: its text read back from the message box, and the main
// window staying usable (even closable) while pages are open.
#include <gtest/gtest.h>

#include <vector>

#include "help_page.h"
#include "user_input.h"
#include "velmora_session.h"

namespace {

constexpr const char* kCaption = "Help/About";

// The message box keeps its text in the static control with ID 0xFFFF.
std::string PageText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}

struct PageSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectPage(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<PageSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.ProcessId && IsWindowVisible(window) &&
        WindowClass(window) == "#32770" && WindowText(window) == kCaption)
        search.Found.push_back(window);
    return TRUE;
}

std::vector<HWND> OpenPages(const App& app) {
    PageSearch search = {app.Process.dwProcessId, {}};
    EnumWindows(CollectPage, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

class HelpPage : public VelmoraSession {
protected:
    HWND WaitForPages(size_t count) {
        std::vector<HWND> pages;
        if (!WaitUntil([&] { return (pages = OpenPages(app)).size() == count; })) return nullptr;
        return pages.empty() ? nullptr : pages.front();
    }
};

TEST_F(HelpPage, ShowsTheWholePageExactlyWithLineFeedsOnly) {
    ASSERT_TRUE(InputBringToFront(main));
    InputClick(Control(ID_HELP));
    HWND page = WaitForPages(1);
    ASSERT_NE(page, nullptr);
    // Byte for byte the built text, whose line layout (LF only, one empty
    // line between items) tests/ui checks; a CR added on the way would show.
    EXPECT_EQ(PageText(page), std::string(HelpPageText()));

    EXPECT_EQ(WindowOwner(page), nullptr);
    EXPECT_TRUE(GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    // One OK button and no icon.
    EXPECT_NE(GetDlgItem(page, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(page, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(page, IDYES), nullptr);

    // Dismissed with Enter, the focus goes back to HELP/ABOUT.
    ASSERT_TRUE(InputBringToFront(page));
    InputKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return OpenPages(app).empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_HELP); }));
}

TEST_F(HelpPage, MainWindowStaysUsableAndASecondPageOpensAboveTheFirst) {
    WindowPostCommand(main, ID_HELP, BN_CLICKED);
    ASSERT_NE(WaitForPages(1), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main));

    // A real click on a preset and on CALC, both nested inside the page.
    ASSERT_TRUE(InputBringToFront(main));
    InputClick(Control(ID_STD_CHEB05));
    ASSERT_TRUE(WaitUntil([&] { return Text(ID_AF1) == "1.418218"; }));
    InputClick(Control(ID_CALC));
    EXPECT_TRUE(WaitUntil([&] { return Text(ID_PROTO_R1) == "224566.3"; }));

    WindowPostCommand(main, ID_HELP, BN_CLICKED);
    ASSERT_NE(WaitForPages(2), nullptr);
    for (HWND page : OpenPages(app))
        PostMessageW(page, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return OpenPages(app).empty(); }));
    EXPECT_TRUE(WindowExists(main));
    EXPECT_TRUE(AppRunning(app));
}

TEST_F(HelpPage, ExitWhileAPageIsOpenEndsTheWindowThenTheProcessWithZero) {
    WindowPostCommand(main, ID_HELP, BN_CLICKED);
    HWND page = WaitForPages(1);
    ASSERT_NE(page, nullptr);

    WindowPostCommand(main, ID_EXIT, BN_CLICKED);
    ASSERT_TRUE(WaitUntil([&] { return !WindowExists(main); }));
    // The page stays until it is dismissed, and the process with it.
    EXPECT_TRUE(WindowExists(page));
    EXPECT_TRUE(AppRunning(app));
    EXPECT_EQ(PageText(page), std::string(HelpPageText()));

    PostMessageW(page, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0));
}

}  // namespace
