// The modal run: what the handler sees when, and what ends the run.
#include <atomic>
#include <thread>

#include "dialog_test_support.h"

namespace {

using DialogModalTest = DialogTest;

// Rows: the dialog's style, and the WM_SIZE kind its opening reports.
TEST_F(DialogModalTest, HandlerOpensWithInitDialogThenSizeWhileHidden) {
    constexpr uint32_t kFrame = WS_POPUP | WS_CAPTION;
    const std::pair<uint32_t, uint32_t> rows[] = {{0, SIZE_RESTORED},
                                                  {kFrame | WS_MAXIMIZE, SIZE_MAXIMIZED},
                                                  {kFrame | WS_MINIMIZE, SIZE_MINIMIZED}};
    for (const auto& [style, sizeKind] : rows) {
        SCOPED_TRACE(testing::Message() << "style " << std::hex << style);
        calls.clear();
        HWND dlg = TestDialogCreate(style);
        DialogAddControl(dlg, 100, "ready", ControlKind::Label, 5, 5, 40, 10, 0, 0);
        std::string labelAtOpening;
        reaction = [&](HWND d, uint32_t message, uint32_t, int32_t) {
            if (message == WM_INITDIALOG) labelAtOpening = ControlGetText(d, 100);
            return 0;
        };
        const RECT client = DialogUnitsToPixels(dlg, 0, 0, kTestWidth, kTestHeight);
        FinishLater(dlg, 1);
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), 1);
        ASSERT_GE(calls.size(), 2u);
        const HandlerCall opening[] = {
            {WM_INITDIALOG, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dlg)), 0, false},
            {WM_SIZE, sizeKind, calls[1].LParam, false}};
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(calls[k].Message, opening[k].Message);
            EXPECT_EQ(calls[k].WParam, opening[k].WParam);
            EXPECT_EQ(calls[k].LParam, opening[k].LParam);
            EXPECT_FALSE(calls[k].Visible);
        }
        if (sizeKind == SIZE_RESTORED) {
            EXPECT_EQ(calls[1].LParam,
                      MAKELONG(client.right - client.left, client.bottom - client.top));
        }
        EXPECT_EQ(CallsOf(WM_INITDIALOG).size(), 1u);
        EXPECT_EQ(labelAtOpening, "ready");  // controls exist by then
    }
}

TEST_F(DialogModalTest, QuitMessageDoesNotEndTheRun) {
    HWND dlg = TestDialogCreate();
    PostQuitMessage(3);
    // WM_QUIT comes before any timer message, so the run meets it first.
    FinishLater(dlg, 9);
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 9);
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Rows: a key in a text box, whether a default push button (ID 77) exists,
// and the command the handler gets; the dialog stays.
TEST_F(DialogModalTest, EnterAndEscapeReachTheHandlerAsCommands) {
    const std::tuple<WPARAM, bool, uint16_t> rows[] = {
        {VK_RETURN, false, IDOK}, {VK_ESCAPE, false, IDCANCEL}, {VK_RETURN, true, 77}};
    for (const auto& [key, defaultButton, command] : rows) {
        SCOPED_TRACE(testing::Message() << "key " << key << " default " << defaultButton);
        calls.clear();
        HWND dlg = TestDialogCreate();
        DialogAddControl(dlg, 100, "", ControlKind::TextBox, 5, 5, 60, 12, 0, 0);
        if (defaultButton)
            DialogAddControl(dlg, 77, "Go", ControlKind::Button, 5, 25, 40, 14,
                             WS_TABSTOP | BS_DEFPUSHBUTTON, 0);
        PostMessageW(GetDlgItem(dlg, 100), WM_KEYDOWN, key, 1);
        FinishLater(dlg, 5);
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), 5);
        std::vector<uint16_t> commands;  // the text box's own notifications aside
        for (const HandlerCall& call : CallsOf(WM_COMMAND))
            if (LOWORD(call.WParam) != 100) commands.push_back(LOWORD(call.WParam));
        EXPECT_EQ(commands, std::vector<uint16_t>{command});
    }
}

// Rows: a close request, and whether the handler takes it (answers nonzero),
// which keeps the dialog until it is finished otherwise.
TEST_F(DialogModalTest, CloseRequestsFinishWithZeroUnlessHandled) {
    struct Row {
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        bool Handled;
    };
    const Row rows[] = {{WM_SYSCOMMAND, SC_CLOSE, 0, false},
                        {WM_SYSCOMMAND, SC_CLOSE | 0x000F, 0, false},  // low bits ignored
                        {WM_SYSKEYDOWN, VK_F4, 0x20000001, false},     // Alt+F4
                        {WM_SYSCOMMAND, SC_CLOSE, 0, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Message << " " << row.WParam << " " << row.Handled);
        calls.clear();
        HWND dlg = TestDialogCreate();
        reaction = [&](HWND, uint32_t message, uint32_t, int32_t) {
            return row.Handled && message == WM_SYSCOMMAND ? 1 : 0;
        };
        PostMessageW(dlg, row.Message, row.WParam, row.LParam);
        FinishLater(dlg, 5);  // the result if the request did not finish it
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), row.Handled ? 5 : 0);
        EXPECT_EQ(CallsOf(WM_CLOSE).size(), 1u);
        EXPECT_FALSE(IsWindow(dlg));
    }
}

// A message sent from another thread is handled inside PeekMessageW, which
// then reports an empty queue: the run must notice the dialog is gone there.
TEST_F(DialogModalTest, CloseSentFromAnotherThreadEndsTheRun) {
    HWND dlg = TestDialogCreate();
    const DWORD guiThread = GetCurrentThreadId();
    HANDLE runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> watchdogFired{false};
    std::thread closer([&] {
        SendMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        // A guard only: wakes a run that idles without its window, so that
        // the test fails instead of hanging.
        if (WaitForSingleObject(runEnded, 60000) == WAIT_TIMEOUT) {
            watchdogFired = true;
            PostThreadMessageW(guiThread, WM_NULL, 0, 0);
        }
    });
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 0);
    SetEvent(runEnded);
    closer.join();
    CloseHandle(runEnded);
    EXPECT_FALSE(watchdogFired) << "the run outlived its dialog";
}

// Rows: what the handler answers, and what the sender gets. The handler's
// own DWLP_MSGRESULT wins over its answer.
TEST_F(DialogModalTest, NonzeroResultBecomesTheMessageResult) {
    HWND dlg = TestDialogCreate();
    std::vector<LRESULT> answers;
    reaction = [&](HWND d, uint32_t message, uint32_t wParam, int32_t) -> int32_t {
        if (message == WM_APP + 1) return static_cast<int32_t>(wParam);
        if (message == WM_APP + 2) return SetWindowLongPtrW(d, DWLP_MSGRESULT, 17), 1;
        if (message != WM_APP) return 0;
        for (const auto& [ask, answer] :
             {std::pair{WM_APP + 1, 42}, {WM_APP + 1, 0}, {WM_APP + 2, 1}})
            answers.push_back(SendMessageW(d, ask, answer, 0));
        DialogFinish(d, 2);
        return 0;
    };
    PostMessageW(dlg, WM_APP, 0, 0);
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 2);
    EXPECT_EQ(answers, (std::vector<LRESULT>{42, 0, 17}));
}

TEST_F(DialogModalTest, OperationsOnForeignHandlesDoNothing) {
    HWND plain = CreateWindowExW(0, L"STATIC", L"not ours", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    for (HWND handle : {HWND{}, plain}) {
        DialogAddControl(handle, 100, "x", ControlKind::Button, 0, 0, 10, 10, 0, 0);
        DialogLoadIcon(handle, "TESTICON");
        EXPECT_EQ(DialogRunModal(handle, TestHandler), 0);
        DialogFinish(handle, 4);
        EXPECT_EQ(GetDlgItem(handle, 100), nullptr);
    }
    EXPECT_TRUE(IsWindow(plain));
    EXPECT_TRUE(calls.empty());
    DestroyWindow(plain);
}

}  // namespace
