// ControlGetText and ControlSetText: exact round trips, missing controls.
#include "dialog_test_support.h"

namespace {

using ControlTextTest = DialogTest;

TEST_F(ControlTextTest, TextsRoundTripExactly) {
    struct Row {
        ControlKind Kind;
        std::string Text;
    };
    const Row rows[] = {
        {ControlKind::TextBox, ""},
        {ControlKind::TextBox, "0.01"},
        {ControlKind::TextBox, "  -1.5e-3 x "},
        {ControlKind::TextBox, std::string(1001, '7')},
        {ControlKind::Label, std::string(1001, 'w')},
        {ControlKind::Label, "* enter R value then re-calc"},
        {ControlKind::Button, "2.0 dB Tchebysheff"},
    };
    HWND dlg = TestDialogCreate();
    int id = 100;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << id << ": " << row.Text.substr(0, 30));
        DialogAddControl(dlg, id, "initial", row.Kind, 5, 5, 60, 12, 0, 0);
        EXPECT_EQ(ControlGetText(dlg, id), "initial");
        ControlSetText(dlg, id, row.Text);
        EXPECT_EQ(ControlGetText(dlg, id), row.Text);
        ++id;
    }
    DestroyWindow(dlg);
}

TEST_F(ControlTextTest, MissingControlsReadEmptyAndIgnoreWrites) {
    HWND dlg = TestDialogCreate();
    DialogAddControl(dlg, 100, "kept", ControlKind::TextBox, 5, 5, 60, 12, 0, 0);
    const struct {
        HWND Window;
        int Id;
    } missing[] = {{dlg, 4242}, {dlg, 0}, {nullptr, 100}};
    for (const auto& m : missing) {
        EXPECT_EQ(ControlGetText(m.Window, m.Id), "");
        ControlSetText(m.Window, m.Id, "lost");
    }
    EXPECT_EQ(ControlGetText(dlg, 100), "kept");
    wchar_t caption[64] = {};
    GetWindowTextW(dlg, caption, 64);
    EXPECT_STREQ(caption, L"Dialog layer test");
    DestroyWindow(dlg);
}

}  // namespace
