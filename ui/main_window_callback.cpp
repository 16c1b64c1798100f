#include <string>

#include "design.h"
#include "dialog.h"
#include "help_page.h"
#include "main_window.h"
#include "standard_sets.h"

namespace {

// The control that had the focus when the main window was last deactivated;
// null at start and again once the focus has been given back.
HWND SavedFocusWindow = nullptr;

// The one calculation record of the process. Each CALC overwrites it
// completely, so a CALC nested inside another command (from the help page's
// message loop) leaves nothing stale behind.
DesignRecord Design;

TextSource WindowTextSource(HWND window) {
    return [window](int id) { return ControlGetText(window, id); };
}

TextSink WindowTextSink(HWND window) {
    return [window](int id, const std::string& text) { ControlSetText(window, id, text); };
}

// --- commands --------------------------------------------------------------

// Fills the four parameter boxes; nothing is computed until CALC.
void LoadStandardSet(HWND window, int controlId) {
    if (const StandardSet* set = FindStandardSet(controlId))
        ApplyStandardSet(*set, WindowTextSink(window));
}

// Always all three steps, whatever the boxes hold: an unreadable text reads
// as 0 and infinities are shown like any other value.
void Calculate(HWND window, int) {
    ReadInputs(Design, WindowTextSource(window));
    ComputeDesign(Design);
    ShowResults(Design, WindowTextSink(window));
}

void EndProgram(HWND window, int) {
    DialogFinish(window, 0);
}

void ShowHelp(HWND, int) {
    ShowHelpPage();
}

using CommandAction = void (*)(HWND window, int controlId);

struct CommandRow {
    int ControlId;
    CommandAction Action;
};

// IDs without a row (the text boxes, whatever they notify; IDOK from Enter
// in a text box; IDCANCEL from Esc) do nothing.
constexpr CommandRow kCommands[] = {
    {ID_STD_BUTTERWORTH, LoadStandardSet},
    {ID_STD_BESSEL, LoadStandardSet},
    {ID_STD_CHEB05, LoadStandardSet},
    {ID_STD_CHEB10, LoadStandardSet},
    {ID_STD_CHEB20, LoadStandardSet},
    {ID_STD_CHEB30, LoadStandardSet},
    {ID_STD_TBD, LoadStandardSet},
    {ID_CALC, Calculate},
    {ID_EXIT, EndProgram},
    {ID_HELP, ShowHelp},
};

// BN_CLICKED, and 1 as an accelerator would send it; a button that sends
// anything else (a focus or double-click notification) is not pressed.
bool IsPressNotification(uint32_t code) {
    return code == 0 || code == 1;
}

// --- messages --------------------------------------------------------------

void OnCommand(HWND window, uint32_t wParam) {
    const int controlId = LOWORD(wParam);
    const uint32_t code = HIWORD(wParam);
    for (const CommandRow& row : kCommands) {
        if (row.ControlId != controlId) continue;
        if (IsPressNotification(code)) row.Action(window, controlId);
        return;
    }
}

// Switching away and back must not cost the user their place: the control
// that had the focus when the window lost activation gets it back when the
// window is activated again, once. WM_NCACTIVATE comes before any focus
// change of the switch, so GetFocus still names that control.
void OnNcActivate(uint32_t active) {
    if (!active) {
        SavedFocusWindow = GetFocus();
        return;
    }
    if (SavedFocusWindow) {
        SetFocus(SavedFocusWindow);
        SavedFocusWindow = nullptr;
    }
}

}  // namespace

int32_t MainWindowCallback(HWND window, uint32_t message, uint32_t wParam, int32_t) {
    switch (message) {
        case WM_INITDIALOG:
            break;
        case WM_NCACTIVATE:
            OnNcActivate(wParam);
            break;
        case WM_COMMAND:
            OnCommand(window, wParam);
            break;
        default:
            break;
    }
    return 0;
}
