#include "dialog_test_support.h"

std::vector<HandlerCall> calls;
std::function<int32_t(HWND, uint32_t, uint32_t, int32_t)> reaction;

namespace {

constexpr UINT_PTR kFinishTimer = 0x7E57;
int32_t finishResult = 0;

}  // namespace

int32_t TestHandler(HWND dialog, uint32_t message, uint32_t wParam, int32_t lParam) {
    calls.push_back({message, wParam, lParam, IsWindowVisible(dialog) != FALSE});
    if (message == WM_TIMER && wParam == kFinishTimer) {
        DialogFinish(dialog, finishResult);
        return 0;
    }
    return reaction ? reaction(dialog, message, wParam, lParam) : 0;
}

void FinishLater(HWND dialog, int32_t result) {
    finishResult = result;
    SetTimer(dialog, kFinishTimer, 1, nullptr);
}

HWND TestDialogCreate(uint32_t style, Units units) {
    return DialogCreate(units, nullptr, "Dialog layer test", 20, 20, kTestWidth, kTestHeight, style,
                        0);
}

std::vector<HandlerCall> CallsOf(uint32_t message) {
    std::vector<HandlerCall> found;
    for (const HandlerCall& call : calls) {
        if (call.Message == message) found.push_back(call);
    }
    return found;
}

RECT DialogUnitsToPixels(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(dialog, &rect);
    return rect;
}

void DialogTest::SetUp() {
    DialogThreadStart();
    calls.clear();
    reaction = nullptr;
}

void DialogTest::TearDown() {
    // Every test leaves no dialog behind; the next one starts from nothing.
    EXPECT_EQ(DialogRecordCount(), 0);
    reaction = nullptr;
    DialogThreadEnd();
}
