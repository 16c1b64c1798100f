#include "help_page.h"

#include <windows.h>

#include <string>

#include "dialog_thread.h"

void ShowHelpPage() {
    const std::wstring text = TextToWide(std::string(HelpPageText()));
    // A moment for the pressed button to redraw before the box covers it.
    Sleep(5);
    // No owner: the main window is not disabled and stays usable meanwhile.
    MessageBoxW(nullptr, text.c_str(), L"Help/About", MB_SYSTEMMODAL);
}
