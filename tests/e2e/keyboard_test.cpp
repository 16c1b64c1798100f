// Real keystrokes: Esc and Enter in a text box do nothing, Enter and Space
// press the focused button, and the focus survives a switch to another
// window and back.
#include <gtest/gtest.h>

#include "user_input.h"
#include "velmora_session.h"

namespace {

class Keyboard : public VelmoraSession {
protected:
    void SetUp() override {
        VelmoraSession::SetUp();
        if (HasFatalFailure()) return;
        WindowSendCommand(main, ID_STD_BUTTERWORTH, BN_CLICKED);
        ASSERT_TRUE(InputBringToFront(main));
    }
};

// Rows: a key pressed in a text box, which must neither calculate nor close.
class KeysInTextBox : public Keyboard, public testing::WithParamInterface<WORD> {};

TEST_P(KeysInTextBox, DoNothing) {
    FocusByClick(ID_F1);
    InputKey(VK_END);
    InputKey(GetParam());
    // Typed after the key, so seen only once the key has been handled.
    InputType("5");
    ASSERT_TRUE(WaitUntil([&] { return Text(ID_F1) == "15"; }));
    EXPECT_TRUE(WindowExists(main));
    EXPECT_EQ(Text(ID_PROTO_R1), "") << "no calculation";
    EXPECT_EQ(FocusOf(app), Control(ID_F1));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeysInTextBox, testing::Values(VK_ESCAPE, VK_RETURN));

// Rows: a button reached with Tab, the key that presses it, and the box
// whose text shows that it was pressed.
struct ButtonPress {
    int ButtonId;
    WORD Key;
    int ChangedId;
    const char* ChangedTo;
};

class ButtonKeys : public Keyboard, public testing::WithParamInterface<ButtonPress> {};

TEST_P(ButtonKeys, PressTheFocusedButton) {
    const ButtonPress& row = GetParam();
    FocusByClick(ID_PROTO_K);
    FocusByTab(row.ButtonId);
    InputKey(row.Key);
    EXPECT_TRUE(WaitUntil([&] { return Text(row.ChangedId) == row.ChangedTo; }));
    EXPECT_EQ(FocusOf(app), Control(row.ButtonId)) << "pressing does not move the focus";
}

INSTANTIATE_TEST_SUITE_P(Keyboard, ButtonKeys,
                         testing::Values(ButtonPress{ID_CALC, VK_RETURN, ID_PROTO_R1, "119421.6"},
                                         ButtonPress{ID_CALC, VK_SPACE, ID_OUT_FREQ, "1000."},
                                         ButtonPress{ID_STD_BESSEL, VK_RETURN, ID_AF1, "1.915949"},
                                         ButtonPress{ID_STD_CHEB30, VK_SPACE, ID_AF1, ".179248"}));

TEST_F(Keyboard, EnterOnExitEndsTheProgram) {
    FocusByClick(ID_PROTO_K);
    FocusByTab(ID_EXIT);
    InputKey(VK_RETURN);
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0));
}

// A top-level window of the test's own, to switch to and away from.
class OtherWindow {
public:
    OtherWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                  120, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OtherWindow() {
        if (window_) DestroyWindow(window_);
    }
    HWND Handle() const { return window_; }
    // Brings it to the front while keeping its queue served.
    bool Activate() const {
        SetForegroundWindow(window_);
        return WaitUntil([&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            return GetForegroundWindow() == window_;
        });
    }

private:
    HWND window_ = nullptr;
};

TEST_F(Keyboard, FocusReturnsToTheEditedBoxAfterSwitchingAway) {
    // Rows: the control that has the focus when the user switches away.
    for (const int id : {ID_F2, ID_OUT_R3, ID_STD_CHEB10}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(InputBringToFront(main));
        if (id == ID_STD_CHEB10) {
            FocusByClick(ID_OUT_FREQ);
            FocusByTab(id);
        } else {
            FocusByClick(id);
        }
        OtherWindow other;
        ASSERT_TRUE(other.Activate());
        ASSERT_TRUE(InputBringToFront(main));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(id); }));
        // And typing goes on where it left off.
        if (id == ID_F2) {
            InputKey(VK_END);
            InputType("0");
            EXPECT_TRUE(WaitUntil([&] { return Text(ID_F2) == "10"; }));
        }
    }
}

}  // namespace
