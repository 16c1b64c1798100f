// DialogRunModal and DialogFinish: the modal run of a dialog and its end.
#include <cstdint>

#include "dialog.h"
#include "dialog_records.h"

namespace {

uint32_t SizeKindFromShowCommand(int showCommand) {
    if (showCommand == SW_SHOWMAXIMIZED) return SIZE_MAXIMIZED;
    if (showCommand == SW_SHOWMINIMIZED) return SIZE_MINIMIZED;
    return SIZE_RESTORED;
}

int32_t ClientSizeParameter(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    const auto width = static_cast<uint32_t>(client.right - client.left) & 0xFFFF;
    const auto height = static_cast<uint32_t>(client.bottom - client.top) & 0xFFFF;
    return static_cast<int32_t>(width | (height << 16));
}

// The handler's opening calls: WM_INITDIALOG, then WM_SIZE, both while the
// dialog is hidden; either may finish the dialog.
void HandlerOpen(HWND dialog, DialogHandler handler, int showCommand) {
    if (!handler) return;
    handler(dialog, WM_INITDIALOG, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dialog)), 0);
    if (!IsWindow(dialog)) return;
    handler(dialog, WM_SIZE, SizeKindFromShowCommand(showCommand), ClientSizeParameter(dialog));
}

// Polls rather than blocks, sleeping 1 ms on an empty queue. The dialog can
// vanish while the queue is empty (a message sent from another thread or
// process destroys it inside PeekMessageW), so that path checks too, or the
// run would idle on forever without a window.
void ModalLoop(HWND dialog) {
    MSG message;
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsWindow(dialog)) return;
            Sleep(1);
            continue;
        }
        // WM_QUIT is dispatched like any other message: only the dialog's
        // destruction ends the run.
        if (!IsWindow(dialog)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            return;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!IsWindow(dialog)) return;
    }
}

}  // namespace

int32_t DialogRunModal(HWND dialog, DialogHandler handler) {
    int32_t result = 0;
    WindowRecord record;
    if (!RecordFind(dialog, &record) || record.Kind != RecordKind::Dialog) return 0;
    // The result slot is known from the start, so that a handler finishing
    // the dialog while it opens still hands its result over.
    RecordUpdate(dialog, [&](WindowRecord& r) { r.ResultSlot = &result; });

    SetForegroundWindow(dialog);
    HandlerOpen(dialog, handler, record.ShowCommand);
    if (!IsWindow(dialog)) return result;

    RecordUpdate(dialog, [&](WindowRecord& r) { r.Handler = handler; });
    ShowWindow(dialog, record.ShowCommand);
    ModalLoop(dialog);

    // Normally the record went with the window; never leave it pointing here.
    RecordUpdate(dialog, [](WindowRecord& r) { r.ResultSlot = nullptr; });
    return result;
}

void DialogFinish(HWND dialog, int32_t result) {
    bool isDialog = false;
    RecordUpdate(dialog, [&](WindowRecord& r) {
        if (r.Kind != RecordKind::Dialog) return;
        isDialog = true;
        if (r.ResultSlot) *r.ResultSlot = result;
    });
    if (!isDialog) return;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    DestroyWindow(dialog);
}
