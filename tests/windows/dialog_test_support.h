// Shared fixture of the dialog layer's tests: a recording event handler, and
// ways to steer a modal run from inside it.
//
//   HWND dlg = TestDialogCreate();
//   FinishLater(dlg, 5);                       // WM_TIMER finishes with 5
//   EXPECT_EQ(DialogRunModal(dlg, TestHandler), 5);
//   EXPECT_EQ(calls[0].Message, WM_INITDIALOG);
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialog.h"

struct HandlerCall {
    uint32_t Message;
    uint32_t WParam;
    int32_t LParam;
    bool Visible;  // whether the dialog was visible when the call came
};

// Every call TestHandler received since the fixture's SetUp.
extern std::vector<HandlerCall> calls;

// What TestHandler answers; unset means 0 for everything.
extern std::function<int32_t(HWND, uint32_t, uint32_t, int32_t)> reaction;

// Records the call, then: WM_TIMER of FinishLater finishes the dialog with
// the result given there; anything else goes to reaction.
int32_t TestHandler(HWND dialog, uint32_t message, uint32_t wParam, int32_t lParam);

// Finishes the dialog with the result once the queue has run empty: timers
// come after every posted message, so whatever the test posted before is
// handled first.
void FinishLater(HWND dialog, int32_t result);

inline constexpr int kTestWidth = 200;  // dialog units
inline constexpr int kTestHeight = 120;

HWND TestDialogCreate(uint32_t style = 0, Units units = Units::Dialog);

// The messages of one kind the handler received, in order.
std::vector<HandlerCall> CallsOf(uint32_t message);

// A rectangle in dialog units converted for the dialog, as the layer must.
RECT DialogUnitsToPixels(HWND dialog, int x, int y, int width, int height);

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
