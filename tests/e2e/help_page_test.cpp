// The Help/About page opened by a real click and dismissed with Enter; the
// page itself and the window's use while it is open are checked in process
// (tests/windows).
#include "help_page.h"
#include "velmora_session.h"

namespace {

using HelpPage = VelmoraSession;

TEST_F(HelpPage, ClickedShowsTheTextAndEnterGivesTheFocusBack) {
    InputClick(Control(ID_HELP));
    std::vector<HWND> pages;
    ASSERT_TRUE(WaitUntil([&] { return !(pages = AppWindows(app, "Help/About")).empty(); }));
    // The message box keeps its text in the static control 0xFFFF; a CR
    // added on the way would show here.
    EXPECT_EQ(ControlText(pages[0], 0xFFFF), std::string(HelpPageText()));
    ASSERT_TRUE(InputBringToFront(app, pages[0]));
    InputKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return AppWindows(app, "Help/About").empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(ID_HELP); }));
    EXPECT_TRUE(AppRunning(app));
}

}  // namespace
