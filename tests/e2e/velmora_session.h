// A fresh velmora.exe for every test: started and shown in SetUp, ended in
// TearDown whatever the test did to it.
#pragma once

#include <gtest/gtest.h>

#include "app_process.h"
#include "control_ids.h"
#include "e2e_options.h"
#include "remote_window.h"

class VelmoraSession : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AppStart(app, Options().VelmoraExe)) << "the main window did not appear";
        main = app.Main;
    }
    void TearDown() override { AppEnd(app); }

    std::string Text(int id) const { return ControlText(main, id); }
    HWND Control(int id) const { return ControlFind(main, id); }

    App app;
    HWND main = nullptr;
};

// True when the tests run under Wine rather than on Windows.
bool RunningUnderWine();

// The control that has the keyboard focus in the program's GUI thread.
HWND FocusOf(const App& app);
