// Real keystrokes: Tab walks the dialog manager's order, Esc and Enter in a
// text box do nothing, Enter and Space press the focused button, and the
// focus survives a switch to another window and back.
#include <vector>

#include "velmora_session.h"

namespace {

class Keyboard : public VelmoraSession {
protected:
    void SetUp() override {
        VelmoraSession::SetUp();
        if (HasFatalFailure()) return;
        WindowPostCommand(main, ID_STD_BUTTERWORTH);
        ASSERT_TRUE(WaitUntil([&] { return Text(ID_F2) == "1"; }));
        ASSERT_TRUE(InputBringToFront(app, main));
    }
};

// The order itself is the layout's (tests/windows); here real Tabs and
// Shift+Tabs must follow it all the way round, from the first box back to it.
TEST_F(Keyboard, TabAndShiftTabWalkTheWholeCycle) {
    ASSERT_EQ(FocusOf(app), Control(ID_AF1)) << "the focus starts on AF1";
    for (const bool backwards : {false, true}) {
        std::vector<int> walked;
        do {
            const HWND before = FocusOf(app);
            const HWND next = GetNextDlgTabItem(main, before, backwards);
            backwards ? InputChord(VK_SHIFT, VK_TAB) : InputKey(VK_TAB);
            ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) != before; }));
            ASSERT_EQ(FocusOf(app), next) << "after " << GetDlgCtrlID(before);
            walked.push_back(GetDlgCtrlID(next));
        } while (FocusOf(app) != Control(ID_AF1) && walked.size() < 40);
        EXPECT_EQ(walked.size(), 30u) << "the ten buttons and twenty boxes, then AF1 again";
    }
}

// Rows: a key pressed in a text box, which must neither calculate nor close.
TEST_F(Keyboard, EscAndEnterInATextBoxDoNothing) {
    for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
        SCOPED_TRACE(key);
        ControlSetTextRemote(main, ID_F1, "1");
        ASSERT_NO_FATAL_FAILURE(FocusByClick(ID_F1));
        InputKey(VK_END);
        InputKey(key);
        // Typed after the key, so seen only once the key has been handled.
        InputType("5");
        ASSERT_TRUE(WaitUntil([&] { return Text(ID_F1) == "15"; }));
        EXPECT_TRUE(AppRunning(app) && IsWindow(main));
        EXPECT_EQ(Text(ID_PROTO_R1), "") << "no calculation";
        EXPECT_EQ(FocusOf(app), Control(ID_F1));
    }
}

// Rows: a button reached with Tab, the key that presses it, and the box
// whose text shows that it was pressed.
TEST_F(Keyboard, EnterAndSpacePressTheFocusedButton) {
    struct Row {
        int ButtonId;
        WORD Key;
        int ChangedId;
        const char* ChangedTo;
    };
    const Row rows[] = {{ID_CALC, VK_RETURN, ID_PROTO_R1, "119421.6"},
                        {ID_STD_BESSEL, VK_RETURN, ID_AF1, "1.915949"},
                        {ID_CALC, VK_SPACE, ID_PROTO_R1, "34043.9"},
                        {ID_STD_CHEB30, VK_SPACE, ID_AF1, ".179248"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ButtonId);
        ASSERT_NO_FATAL_FAILURE(FocusByClick(ID_PROTO_K));
        ASSERT_NO_FATAL_FAILURE(FocusByTab(row.ButtonId));
        InputKey(row.Key);
        EXPECT_TRUE(WaitUntil([&] { return Text(row.ChangedId) == row.ChangedTo; }));
        EXPECT_EQ(FocusOf(app), Control(row.ButtonId)) << "pressing does not move the focus";
    }
}

// Another program's window in front: one of the test's own, its queue
// served while it is being activated.
bool SwitchAway(HWND other) {
    SetForegroundWindow(other);
    return WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        return GetForegroundWindow() == other;
    });
}

TEST_F(Keyboard, FocusReturnsAfterSwitchingAwayAndBack) {
    // Rows: the control that has the focus when the user switches away.
    for (const int id : {ID_OUT_R3, ID_STD_CHEB10, ID_F2}) {
        SCOPED_TRACE(id);
        ASSERT_NO_FATAL_FAILURE(FocusByClick(id));
        HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                     120, 60, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(SwitchAway(other));
        ASSERT_TRUE(InputBringToFront(app, main));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(id); }));
        DestroyWindow(other);
    }
    // And typing goes on where it left off.
    const std::string typed = Text(ID_F2) + "0";
    InputKey(VK_END);
    InputType("0");
    EXPECT_TRUE(WaitUntil([&] { return Text(ID_F2) == typed; }));
}

}  // namespace
