// A thousand full dialog lifetimes leave no window, GDI or USER object
// behind, and the pictures the layer loaded are freed with their dialog.
#include "dialog_test_support.h"

namespace {

using DialogLeakTest = DialogTest;

struct Pictures {
    HANDLE Bitmap;
    HANDLE ControlIcon;
    HANDLE LargeIcon;
    HANDLE SmallIcon;
};

// Builds a dialog with every control kind and both kinds of picture, runs it
// and finishes it; returns the pictures it showed.
Pictures DialogLifetime() {
    HWND dlg = TestDialogCreate(0x94CB00D4);
    DialogAddControl(dlg, 100, "1", ControlKind::TextBox, 5, 5, 60, 10, 0, 0);
    DialogAddControl(dlg, 101, "", ControlKind::TextBox, 5, 20, 60, 10, 0x50010880,
                     WS_EX_CLIENTEDGE);
    DialogAddControl(dlg, 102, "ohms", ControlKind::Label, 70, 5, 25, 10, 0, 0);
    DialogAddControl(dlg, 103, "CALC", ControlKind::Button, 70, 20, 40, 14, 0, 0);
    DialogAddControl(dlg, 104, "Schematic", ControlKind::Image, 5, 35, 40, 30, 0x5000020E,
                     WS_EX_CLIENTEDGE);
    DialogAddControl(dlg, 105, "TESTICON", ControlKind::Image, 50, 35, 20, 20, 0, 0);
    DialogLoadIcon(dlg, "TESTICON");
    Pictures shown{
        reinterpret_cast<HANDLE>(SendDlgItemMessageW(dlg, 104, STM_GETIMAGE, IMAGE_BITMAP, 0)),
        reinterpret_cast<HANDLE>(SendDlgItemMessageW(dlg, 105, STM_GETIMAGE, IMAGE_ICON, 0)),
        reinterpret_cast<HANDLE>(SendMessageW(dlg, WM_GETICON, ICON_BIG, 0)),
        reinterpret_cast<HANDLE>(SendMessageW(dlg, WM_GETICON, ICON_SMALL, 0))};
    ControlSetText(dlg, 101, "119421.6");
    FinishLater(dlg, 1);
    EXPECT_EQ(DialogRunModal(dlg, TestHandler), 1);
    return shown;
}

bool IconAlive(HANDLE icon) {
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

BOOL CALLBACK WindowCount(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, WindowCount, count);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), WindowCount, reinterpret_cast<LPARAM>(&count));
    return count;
}

void ExpectFreed(const Pictures& shown) {
    ASSERT_NE(shown.Bitmap, nullptr);
    EXPECT_EQ(GetObjectType(shown.Bitmap), 0u);
    for (HANDLE icon : {shown.ControlIcon, shown.LargeIcon, shown.SmallIcon}) {
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(IconAlive(icon));
    }
}

// Wine's GetGuiResources is a stub that answers 0, so under Wine the counts
// prove nothing; the per-cycle checks of the pictures and windows the layer
// made still do.
TEST_F(DialogLeakTest, AThousandLifetimesLeaveNoObjectBehind) {
    DialogLifetime();  // first-use allocations of the platform are not ours
    HANDLE process = GetCurrentProcess();
    const DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);
    const int windowsBefore = ThreadWindowCount();
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(testing::Message() << "cycle " << i);
        ASSERT_NO_FATAL_FAILURE(ExpectFreed(DialogLifetime()));
        ASSERT_EQ(DialogRecordCount(), 0);
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
    EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(process, GR_USEROBJECTS), userBefore);
}

}  // namespace
