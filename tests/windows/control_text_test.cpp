// ControlGetText and ControlSetText: exact round trips, missing controls.
#include "dialog_test_support.h"

namespace {

using ControlTextTest = DialogTest;

// Rows: a kind of control and a text it must give back exactly.
TEST_F(ControlTextTest, TextsRoundTripExactlyAndMissingControlsAreLeftAlone) {
    const std::pair<ControlKind, std::string> rows[] = {
        {ControlKind::TextBox, ""},
        {ControlKind::TextBox, "  -1.5e-3 x "},
        {ControlKind::TextBox, std::string(1001, '7')},
        {ControlKind::Label, std::string(1001, 'w')},
        {ControlKind::Button, "2.0 dB Tchebysheff"},
    };
    HWND dlg = TestDialogCreate();
    int id = 100;
    for (const auto& [kind, text] : rows) {
        SCOPED_TRACE(testing::Message() << id << ": " << text.substr(0, 30));
        DialogAddControl(dlg, id, "initial", kind, 5, 5, 60, 12, 0, 0);
        EXPECT_EQ(ControlGetText(dlg, id), "initial");
        ControlSetText(dlg, id, text);
        EXPECT_EQ(ControlGetText(dlg, id), text);
        ++id;
    }
    // Missing: an unknown ID, ID 0 (the dialog itself is no control of it),
    // and no window at all.
    for (const auto& [window, missing] : {std::pair{dlg, 4242}, {dlg, 0}, {HWND{}, 100}}) {
        EXPECT_EQ(ControlGetText(window, missing), "");
        ControlSetText(window, missing, "lost");
    }
    EXPECT_EQ(ControlGetText(dlg, 100), "");
    wchar_t caption[64] = {};
    GetWindowTextW(dlg, caption, 64);
    EXPECT_STREQ(caption, L"Dialog layer test");
    DestroyWindow(dlg);
}

}  // namespace
