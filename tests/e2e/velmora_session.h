// A fresh velmora.exe for every test: started in SetUp, ready for input, and
// ended in TearDown whatever the test did to it.
//
//   TEST_F(VelmoraSession, ...) { FocusByClick(ID_F1); InputType("2"); ... Text(ID_F1) ... }
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "app_process.h"
#include "control_ids.h"
#include "user_input.h"
#include "waiting.h"
#include "wine_path.h"

// The files under test, as the build names them (a Unix path is reached
// through drive Z: under Wine): velmora.exe, window_cases.tsv (a name and
// the eight input texts a line) and what the native velmora-calc --batch
// printed for those inputs (twelve texts a line).
inline std::wstring BuildPath(std::string_view path) {
    const std::string windows = WinePath(path);
    return std::wstring(windows.begin(), windows.end());
}
inline const std::wstring kVelmoraExe = BuildPath(VELMORA_EXE);
inline const std::wstring kCasesFile = BuildPath(VELMORA_CASES);
inline const std::wstring kBatchFile = BuildPath(VELMORA_BATCH);

class VelmoraSession : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AppStart(app, kVelmoraExe)) << "the main window did not appear";
        main = app.Main;
    }
    void TearDown() override { AppEnd(app); }

    std::string Text(int id) const { return ControlText(main, id); }
    HWND Control(int id) const { return GetDlgItem(main, id); }
    void FocusByClick(int id) {
        InputClick(Control(id));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(id); })) << "no focus on " << id;
    }
    // Real Tabs from the focused control until the given one has the focus.
    void FocusByTab(int id) {
        for (int k = 0; k < 40 && FocusOf(app) != Control(id); ++k) {
            const HWND before = FocusOf(app);
            InputKey(VK_TAB);
            ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) != before; }));
        }
        ASSERT_EQ(FocusOf(app), Control(id));
    }

    App app;
    HWND main = nullptr;
};
