// The dialog procedure shared by every dialog of the layer: it hands the
// platform's messages to the dialog's event handler and supplies the
// defaults the handler leaves to the layer.
//
// A handler may destroy its own dialog, even from a nested message loop, so
// after calling it nothing here relies on what was looked up before: the
// record is found again, and a window that is gone is left alone.
#include <cstdint>

#include "dialog.h"
#include "dialog_records.h"

namespace {

INT_PTR OnInitDialog() {
    // FALSE: the platform sets no focus. The handler gets its own
    // WM_INITDIALOG from DialogRunModal once all controls exist.
    return FALSE;
}

INT_PTR OnSysCommand(HWND dialog, WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE) return FALSE;
    WindowRecord record;
    if (!RecordFind(dialog, &record) || record.Kind != RecordKind::Dialog) return FALSE;
    DialogFinish(dialog, 0);
    return TRUE;
}

void OnNcDestroy(HWND dialog) {
    for (const WindowRecord& dropped : RecordDropDialog(dialog)) {
        ImageRelease(dropped.Image, dropped.ImageIsBitmap);
        ImageRelease(dropped.LargeIcon, false);
        ImageRelease(dropped.SmallIcon, false);
    }
}

INT_PTR OnDefault(HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_SYSCOMMAND) return OnSysCommand(dialog, wParam);
    // Everything else goes on to the platform's dialog processing; that
    // includes the colour messages, as the layer never sets colours.
    return FALSE;
}

// The handler's nonzero result becomes the message result unless it stored
// one itself; the platform clears DWLP_MSGRESULT before each message.
void MessageResultStore(HWND dialog, int32_t result) {
    if (!IsWindow(dialog)) return;
    if (GetWindowLongPtrW(dialog, DWLP_MSGRESULT) != 0) return;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
}

DialogHandler HandlerOf(HWND dialog) {
    WindowRecord record;
    if (!RecordFind(dialog, &record) || record.Kind != RecordKind::Dialog) return nullptr;
    return record.Handler;
}

}  // namespace

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_ACTIVATE:
            // Activation is the platform's business (it restores the focus);
            // the handler sees WM_NCACTIVATE instead.
            return FALSE;
        default:
            break;
    }

    int32_t result = 0;
    if (DialogHandler handler = HandlerOf(dialog)) {
        result =
            handler(dialog, message, static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam));
    }
    // The records go whatever the handler answered, or they would leak.
    if (message == WM_NCDESTROY) {
        OnNcDestroy(dialog);
        return FALSE;
    }
    if (result != 0) {
        MessageResultStore(dialog, result);
        return result;
    }
    return OnDefault(dialog, message, wParam);
}
