// The modal run: what the handler sees when, and what ends the run.
#include <atomic>
#include <thread>

#include "dialog_test_support.h"

namespace {

using DialogModalTest = DialogTest;

TEST_F(DialogModalTest, HandlerOpensWithInitDialogThenSizeWhileHidden) {
    struct Row {
        uint32_t Style;
        uint32_t SizeKind;
    };
    const Row rows[] = {
        {0, SIZE_RESTORED},
        {0x80C000D4 | WS_MAXIMIZE, SIZE_MAXIMIZED},
        {0x80C000D4 | WS_MINIMIZE, SIZE_MINIMIZED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "style " << std::hex << row.Style);
        calls.clear();
        HWND dlg = TestDialogCreate(row.Style);
        ASSERT_NE(dlg, nullptr);
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
        EXPECT_EQ(calls[0].Message, static_cast<uint32_t>(WM_INITDIALOG));
        EXPECT_EQ(calls[0].WParam, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dlg)));
        EXPECT_EQ(calls[0].LParam, 0);
        EXPECT_FALSE(calls[0].Visible);
        EXPECT_EQ(calls[1].Message, static_cast<uint32_t>(WM_SIZE));
        EXPECT_EQ(calls[1].WParam, row.SizeKind);
        EXPECT_FALSE(calls[1].Visible);
        if (row.SizeKind == SIZE_RESTORED) {
            EXPECT_EQ(LOWORD(calls[1].LParam), client.right - client.left);
            EXPECT_EQ(HIWORD(calls[1].LParam), client.bottom - client.top);
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
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the run never took the quit message";
}

TEST_F(DialogModalTest, EnterAndEscapeReachTheHandlerAndTheDialogStays) {
    struct Row {
        WPARAM Key;
        bool DefaultButton;  // a BS_DEFPUSHBUTTON with ID 77 exists
        uint16_t Command;
    };
    const Row rows[] = {
        {VK_RETURN, false, IDOK},
        {VK_ESCAPE, false, IDCANCEL},
        {VK_RETURN, true, 77},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << row.Key << " default " << row.DefaultButton);
        calls.clear();
        HWND dlg = TestDialogCreate();
        DialogAddControl(dlg, 100, "", ControlKind::TextBox, 5, 5, 60, 12, 0, 0);
        if (row.DefaultButton) {
            DialogAddControl(dlg, 77, "Go", ControlKind::Button, 5, 25, 40, 14,
                             0x50010000 | BS_DEFPUSHBUTTON, 0);
        }
        PostMessageW(GetDlgItem(dlg, 100), WM_KEYDOWN, row.Key, 1);
        FinishLater(dlg, 5);
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), 5);
        std::vector<uint16_t> commands;  // the text box's own notifications aside
        for (const HandlerCall& call : CallsOf(WM_COMMAND)) {
            if (LOWORD(call.WParam) != 100) commands.push_back(LOWORD(call.WParam));
        }
        EXPECT_EQ(commands, std::vector<uint16_t>{row.Command});
    }
}

// Rows: a close request, and whether the handler takes it (answers
// nonzero), which keeps the dialog until it is finished otherwise.
TEST_F(DialogModalTest, CloseRequestsFinishWithZeroUnlessHandled) {
    struct Row {
        const char* Name;
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        bool Handled;
    };
    const Row rows[] = {
        {"close box", WM_SYSCOMMAND, SC_CLOSE, 0, false},
        {"low bits ignored", WM_SYSCOMMAND, SC_CLOSE | 0x000F, 0, false},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(0x20000001), false},
        {"close box, handled", WM_SYSCOMMAND, SC_CLOSE, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        calls.clear();
        HWND dlg = TestDialogCreate();
        reaction = [&](HWND, uint32_t message, uint32_t, int32_t) {
            return row.Handled && message == WM_SYSCOMMAND ? 1 : 0;
        };
        PostMessageW(dlg, row.Message, row.WParam, row.LParam);
        FinishLater(dlg, 5);  // the result if the request did not finish it
        EXPECT_EQ(DialogRunModal(dlg, TestHandler), row.Handled ? 5 : 0);
        if (row.Handled) continue;
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
        if (WaitForSingleObject(runEnded, 10000) == WAIT_TIMEOUT) {
            // Wake a run that idles without its window, so the test can fail.
            watchdogFired = true;
            PostThreadMessageW(guiThread, WM_NULL, 0, 0);
        }
    });
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 0);
    SetEvent(runEnded);
    closer.join();
    CloseHandle(runEnded);
    EXPECT_FALSE(watchdogFired) << "the run outlived its dialog";
    EXPECT_FALSE(IsWindow(dlg));
}

TEST_F(DialogModalTest, NonzeroResultBecomesTheMessageResult) {
    constexpr UINT kStart = WM_APP + 20;
    constexpr UINT kAsk = WM_APP + 21;
    constexpr UINT kAskStored = WM_APP + 22;
    HWND dlg = TestDialogCreate();
    LRESULT answered = 0;
    LRESULT answeredStored = 0;
    reaction = [&](HWND d, uint32_t message, uint32_t, int32_t) -> int32_t {
        switch (message) {
            case kAsk:
                return 42;
            case kAskStored:
                SetWindowLongPtrW(d, DWLP_MSGRESULT, 17);  // the handler's own wins
                return 1;
            case kStart:
                answered = SendMessageW(d, kAsk, 0, 0);
                answeredStored = SendMessageW(d, kAskStored, 0, 0);
                FinishLater(d, 2);
                return 0;
            default:
                return 0;
        }
    };
    PostMessageW(dlg, kStart, 0, 0);
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 2);
    EXPECT_EQ(answered, 42);
    EXPECT_EQ(answeredStored, 17);
}

TEST_F(DialogModalTest, OperationsOnForeignHandlesDoNothing) {
    HWND plain = CreateWindowExW(0, L"STATIC", L"not ours", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    const HWND handles[] = {nullptr, plain};
    for (HWND handle : handles) {
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
