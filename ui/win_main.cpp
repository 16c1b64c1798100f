#include <windows.h>

#include <commctrl.h>

#include "main_window.h"

namespace {

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// Registers the common control classes once more through whichever
// COMCTL32.DLL the manifest selected; an old library without the Ex entry
// point gets the plain call. Without the library the window is built all the
// same.
void RegisterCommonControls() {
    HMODULE library = LoadLibraryA("COMCTL32.DLL");
    if (!library) return;
    const auto initEx = reinterpret_cast<InitCommonControlsExProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (initEx) {
        const INITCOMMONCONTROLSEX classes = {
            sizeof(INITCOMMONCONTROLSEX),
            ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        initEx(&classes);
    } else {
        InitCommonControls();
    }
    FreeLibrary(library);
}

}  // namespace

// The command line and the show state are not used: every run starts the
// same way, and the window shows itself as its style says.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterCommonControls();
    BuildMainWindow(nullptr);
    return 0;
}
