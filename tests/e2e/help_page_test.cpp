// The Help/About page opened by a real click: its text read back from the
// message box, and the main window staying usable, even closable, while
// pages are open.
#include <vector>

#include "help_page.h"
#include "velmora_session.h"

namespace {

class HelpPage : public VelmoraSession {
protected:
    std::vector<HWND> Pages() const { return AppWindows(app, "Help/About"); }
    // The page once the given number of pages is open.
    HWND WaitForPages(size_t count) const {
        std::vector<HWND> pages;
        WaitUntil([&] { return (pages = Pages()).size() == count; });
        return pages.size() == count && count ? pages.front() : nullptr;
    }
};

TEST_F(HelpPage, ShowsTheTextAndGivesTheFocusBackWhenDismissed) {
    InputClick(Control(ID_HELP));
    HWND page = WaitForPages(1);
    ASSERT_NE(page, nullptr);
    // The message box keeps its text in the static control 0xFFFF; a CR
    // added on the way would show here.
    EXPECT_EQ(ControlText(page, 0xFFFF), std::string(HelpPageText()));
    EXPECT_EQ(GetWindow(page, GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    EXPECT_NE(GetDlgItem(page, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(page, IDCANCEL), nullptr) << "one OK button";

    ASSERT_TRUE(InputBringToFront(app, page));
    InputKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Pages().empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_HELP); }));
}

TEST_F(HelpPage, MainWindowStaysUsableAndASecondPageOpens) {
    WindowPostCommand(main, ID_HELP);
    ASSERT_NE(WaitForPages(1), nullptr);
    // Real clicks on a preset and on CALC, both nested inside the page.
    ASSERT_TRUE(InputBringToFront(app, main));
    InputClick(Control(ID_STD_CHEB05));
    ASSERT_TRUE(WaitUntil([&] { return Text(ID_AF1) == "1.418218"; }));
    InputClick(Control(ID_CALC));
    EXPECT_TRUE(WaitUntil([&] { return Text(ID_PROTO_R1) == "224566.3"; }));

    WindowPostCommand(main, ID_HELP);
    ASSERT_NE(WaitForPages(2), nullptr);
    for (HWND page : Pages())
        PostMessageW(page, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return Pages().empty(); }));
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(HelpPage, ExitWhileAPageIsOpenEndsTheProcessOnceItIsDismissed) {
    WindowPostCommand(main, ID_HELP);
    HWND page = WaitForPages(1);
    ASSERT_NE(page, nullptr);
    WindowPostCommand(main, ID_EXIT);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(main); }));
    EXPECT_TRUE(IsWindow(page) && AppRunning(app)) << "the page stays, and the process with it";
    PostMessageW(page, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0));
}

}  // namespace
