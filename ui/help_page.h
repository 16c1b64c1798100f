// The Help/About page: one fixed text in the platform's message box.
//
//   ShowHelpPage();   // returns when the user dismisses the box
//
// The box has no owner, so the main window stays usable while it is open and
// its handler may run (and call ShowHelpPage again) meanwhile.
#pragma once

#include <string_view>

// The page: a heading line, a notice line, then eight paragraphs, each one
// line; line feeds only, one empty line between items (none between the
// heading and the notice), two line feeds at the very end. Plain ASCII.
//
//   HelpPageText().starts_with("Velmora Calculator\n")
//   HelpPageText().ends_with("often available.\n\n")
std::string_view HelpPageText();

// Shows HelpPageText() system-modal, captioned "Help/About", with one OK
// button and no icon. Failure to show it is silent.
void ShowHelpPage();
