// Approval files: exact outputs kept as data beside the tests, compared byte
// for byte. A deliberate change is approved by running the tests once with
// VELMORA_APPROVE=1 in the environment, which rewrites the files, and then
// reading the change in `git diff`:
//
//   VELMORA_APPROVE=1 bash scripts/wine-tests.sh
//
//   EXPECT_TRUE(MatchesApproved(LayoutText(window), "main_window_layout.txt"));
#pragma once

#include <gtest/gtest.h>

#include <string>

// The approved files are named relative to VELMORA_APPROVED_DIR, the tests
// folder of the source tree (a Unix path is reached through drive Z: under
// Wine). A mismatch names the first line that differs.
testing::AssertionResult MatchesApproved(const std::string& actual, const std::string& fileName);

// A text as an approval file shows it: quoted, with runs of more than eight
// equal characters written as <c*n>, so that thousand-character results stay
// readable.
//
//   Readable("-" + std::string(19, '9') + std::string(980, '0') + ".") == "\"-<9*19><0*980>.\""
std::string Readable(const std::string& text);
