#include "main_window.h"

#include "control_table.h"
#include "dialog.h"

int32_t BuildMainWindow(HWND parent) {
    const MainWindowFrame& frame = kMainWindowFrame;
    // No test on the handle: every dialog operation ignores a window it does
    // not know, and the modal run then returns 0 at once.
    HWND window = DialogCreate(Units::Dialog, parent, frame.Caption, frame.X, frame.Y, frame.Width,
                               frame.Height, frame.Style, frame.ExStyle);
    for (const ControlRow& row : MainWindowControls())
        DialogAddControl(window, row.Id, row.Text, row.Kind, row.X, row.Y, row.Width, row.Height,
                         row.Style, row.ExStyle);
    DialogLoadIcon(window, frame.IconName);
    return DialogRunModal(window, MainWindowCallback);
}
