// A fresh velmora.exe for every test: started and shown in SetUp, ended in
// TearDown whatever the test did to it.
#pragma once

#include <gtest/gtest.h>

#include "app_process.h"
#include "control_ids.h"
#include "e2e_options.h"
#include "remote_window.h"
#include "user_input.h"

// True when the tests run under Wine rather than on Windows.
bool RunningUnderWine();

// The control that has the keyboard focus in the program's GUI thread.
HWND FocusOf(const App& app);

class VelmoraSession : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AppStart(app, Options().VelmoraExe)) << "the main window did not appear";
        main = app.Main;
    }
    void TearDown() override { AppEnd(app); }

    std::string Text(int id) const { return ControlText(main, id); }
    HWND Control(int id) const { return ControlFind(main, id); }
    // Real input reaches whatever has the focus when it is queued, so each
    // step waits until the focus has arrived.
    void FocusByClick(int id) {
        InputClick(Control(id));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(app) == Control(id); }))
            << "focus on " << WindowId(FocusOf(app)) << ", wanted " << id;
    }
    // Tabs from the focused control until the given one has the focus.
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
