// The help page's text, byte for byte: its words, its line feeds (LF only,
// one empty line between items, none after the heading) and its end.
#include <gtest/gtest.h>

#include <string>

#include "approval.h"
#include "help_page.h"

namespace {

TEST(HelpText, AsApproved) {
    EXPECT_TRUE(MatchesApproved(std::string(HelpPageText()), "ui/help_page.txt"));
}

}  // namespace
