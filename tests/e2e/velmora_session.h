// A fresh velmora.exe for every test: started in SetUp, ready for input, and
// ended in TearDown whatever the test did to it.
//
//   TEST_F(VelmoraSession, ...) { FocusByClick(ID_F1); InputType("2"); ... Text(ID_F1) ... }
#pragma once

#include <gtest/gtest.h>

#include "app_process.h"
#include "control_ids.h"
#include "user_input.h"
#include "waiting.h"

// Where the files under test are, from the command line:
//   velmora_e2e.exe --velmora=PATH --cases=PATH --batch=PATH [gtest flags]
struct E2eOptions {
    std::wstring VelmoraExe;
    std::wstring CasesFile;  // window_cases.tsv: a name and the eight input texts a line
    std::wstring BatchFile;  // velmora-calc --batch on the same inputs: twelve texts a line
};
const E2eOptions& Options();

class VelmoraSession : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AppStart(app, Options().VelmoraExe)) << "the main window did not appear";
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
