// A handler that runs a nested message loop (a message box) while its own
// dialog is finished and destroyed: once the box returns, the layer must
// not act on the dropped record.
#include "dialog_test_support.h"

namespace {

using DialogReentryTest = DialogTest;

constexpr UINT kFinishInside = WM_APP + 30;
constexpr int kOpenBox = 300;
const wchar_t kBoxCaption[] = L"Nested box of the dialog tests";

// Runs in the message box's own loop: finishes the outer dialog, then
// dismisses the box.
int32_t FinishInsideTheBox(HWND dialog) {
    DialogFinish(dialog, 7);
    HWND box = FindWindowW(L"#32770", kBoxCaption);
    EXPECT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}

TEST_F(DialogReentryTest, DialogFinishedInsideANestedLoop) {
    struct Row {
        const char* Name;
        UINT Message;  // what makes the handler open the box
        WPARAM WParam;
        int32_t Answer;  // what the handler returns once the box is gone
    };
    const Row rows[] = {
        {"command, handled", WM_COMMAND, kOpenBox, 1},
        {"command, not handled", WM_COMMAND, kOpenBox, 0},
        // Not handled: the layer's own close must not finish it a second time.
        {"close request, not handled", WM_SYSCOMMAND, SC_CLOSE, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        calls.clear();
        HWND dlg = TestDialogCreate();
        bool boxReturned = false;
        reaction = [&](HWND d, uint32_t message, uint32_t wParam, int32_t) -> int32_t {
            if (message == kFinishInside) return FinishInsideTheBox(d);
            if (message != row.Message || wParam != row.WParam) return 0;
            PostMessageW(d, kFinishInside, 0, 0);
            MessageBoxW(nullptr, L"nested", kBoxCaption, MB_OK);
            boxReturned = true;
            EXPECT_FALSE(IsWindow(d));
            EXPECT_EQ(DialogRecordCount(), 0);
            return row.Answer;
        };
        PostMessageW(dlg, row.Message, row.WParam, 0);
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), 7);
        EXPECT_TRUE(boxReturned);
        EXPECT_EQ(CallsOf(WM_CLOSE).size(), 1u);
    }
}

TEST_F(DialogReentryTest, DialogFinishedWhileOpening) {
    for (const uint32_t opening : {WM_INITDIALOG, WM_SIZE}) {
        SCOPED_TRACE(opening);
        calls.clear();
        HWND dlg = TestDialogCreate();
        reaction = [&](HWND d, uint32_t message, uint32_t, int32_t) {
            if (message == opening) DialogFinish(d, 4);
            return 0;
        };
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), 4);
        EXPECT_FALSE(IsWindow(dlg));
        EXPECT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().Message, opening);  // nothing after the finish
    }
}

}  // namespace
