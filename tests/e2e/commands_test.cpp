// The buttons: presets fill the four parameter boxes and nothing else, CALC
// computes, and only the notification codes of a press do anything.
#include <gtest/gtest.h>

#include <vector>

#include "user_input.h"
#include "velmora_session.h"
#include "window_cases.h"

namespace {

struct PresetRow {
    int ButtonId;
    const char* AF1;
    const char* F1;
    const char* AF2;
    const char* F2;
};

const PresetRow kPresets[] = {
    {ID_STD_BUTTERWORTH, "1.847759", "1", ".765367", "1"},
    {ID_STD_BESSEL, "1.915949", "3.023265", "1.241406", "3.389366"},
    {ID_STD_CHEB05, "1.418218", ".597002", ".340072", "1.03127"},
    {ID_STD_CHEB10, "1.274638", ".501946", ".280943", ".943253"},
    {ID_STD_CHEB20, "1.075906", ".470711", ".217681", ".963678"},
    {ID_STD_CHEB30, ".179248", ".950309", ".928942", ".442696"},
    {ID_STD_TBD, "", "", "", ""},
};

const int kParameterIds[] = {ID_AF1, ID_F1, ID_AF2, ID_F2};

// Every control whose text a command could change, except the four boxes a
// preset writes.
std::vector<int> OtherTextIds() {
    std::vector<int> ids = {ID_CAP, ID_RSTAR, ID_FSF, ID_ISF};
    ids.insert(ids.end(), std::begin(kCaseResultIds), std::end(kCaseResultIds));
    return ids;
}

class Commands : public VelmoraSession {
protected:
    // A state in which every box holds text, so that a change shows.
    void FillEveryBox() {
        ControlSetTextRemote(main, ID_CAP, "2");
        ControlSetTextRemote(main, ID_RSTAR, "3000");
        ControlSetTextRemote(main, ID_FSF, "500");
        ControlSetTextRemote(main, ID_ISF, "0.1");
        WindowSendCommand(main, ID_STD_BESSEL, BN_CLICKED);
        WindowSendCommand(main, ID_CALC, BN_CLICKED);
        ASSERT_FALSE(Text(ID_OUT_FREQ).empty());
    }
    std::vector<std::string> Snapshot(const std::vector<int>& ids) const {
        std::vector<std::string> texts;
        for (const int id : ids)
            texts.push_back(Text(id));
        return texts;
    }
    std::vector<std::string> Everything() const {
        std::vector<int> ids = OtherTextIds();
        ids.insert(ids.end(), std::begin(kParameterIds), std::end(kParameterIds));
        return Snapshot(ids);
    }
    void ExpectPreset(const PresetRow& row) const {
        const std::vector<std::string> wanted = {row.AF1, row.F1, row.AF2, row.F2};
        EXPECT_EQ(Snapshot({std::begin(kParameterIds), std::end(kParameterIds)}), wanted);
    }
};

TEST_F(Commands, EachPresetClickedAloneChangesOnlyTheFourParameterBoxes) {
    for (const PresetRow& row : kPresets) {
        SCOPED_TRACE(row.ButtonId);
        AppEnd(app);
        ASSERT_TRUE(AppStart(app, Options().VelmoraExe));
        main = app.Main;
        FillEveryBox();
        for (const int id : kParameterIds)
            ControlSetTextRemote(main, id, "x");
        const std::vector<std::string> before = Snapshot(OtherTextIds());

        ASSERT_TRUE(InputBringToFront(main));
        InputClick(Control(row.ButtonId));
        ASSERT_TRUE(WaitUntil([&] { return Text(ID_F2) == row.F2; }));
        ExpectPreset(row);
        EXPECT_EQ(Snapshot(OtherTextIds()), before) << "a preset must not compute";
    }
}

TEST_F(Commands, PresetsOneAfterAnotherEachWriteTheirOwnRow) {
    FillEveryBox();
    const std::vector<std::string> before = Snapshot(OtherTextIds());
    for (int pass = 0; pass < 2; ++pass)
        for (const PresetRow& row : kPresets) {
            SCOPED_TRACE(row.ButtonId);
            WindowSendCommand(main, row.ButtonId, BN_CLICKED);
            ExpectPreset(row);
        }
    EXPECT_EQ(Snapshot(OtherTextIds()), before);
}

TEST_F(Commands, TbdThenCalcReadsEmptyParameterBoxes) {
    WindowSendCommand(main, ID_STD_BUTTERWORTH, BN_CLICKED);
    WindowSendCommand(main, ID_CALC, BN_CLICKED);
    ASSERT_EQ(Text(ID_PROTO_R1), "119421.6");
    WindowSendCommand(main, ID_STD_TBD, BN_CLICKED);
    EXPECT_EQ(Text(ID_PROTO_R1), "119421.6") << "results stay until CALC";
    WindowSendCommand(main, ID_CALC, BN_CLICKED);
    EXPECT_EQ(Text(ID_PROTO_R1), "-36249949693.1");
    EXPECT_EQ(Text(ID_PROTO_K), InfinityText(true));
    EXPECT_EQ(Text(ID_OUT_C), "0.1");
}

TEST_F(Commands, AcceleratorCodeOnePressesAButton) {
    WindowSendCommand(main, ID_STD_CHEB20, 1);
    EXPECT_EQ(Text(ID_AF1), "1.075906");
    WindowSendCommand(main, ID_CALC, 1);
    EXPECT_EQ(Text(ID_PROTO_R1), "339621.6");
}

TEST_F(Commands, OtherNotificationCodesAndIdsDoNothing) {
    FillEveryBox();
    const std::vector<std::string> before = Everything();
    // Rows of (control ID, notification code) that must change nothing and
    // open nothing: button IDs with codes other than 0 and 1, and IDs
    // without an action with the codes of a press.
    const std::vector<std::pair<int, int>> rows = [] {
        std::vector<std::pair<int, int>> r;
        const int buttons[] = {
            ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB05, ID_STD_CHEB10, ID_STD_CHEB20,
            ID_STD_CHEB30,      ID_STD_TBD,    ID_CALC,       ID_EXIT,       ID_HELP};
        const int codes[] = {2,         BN_DOUBLECLICKED, BN_SETFOCUS, BN_KILLFOCUS,
                             EN_CHANGE, EN_UPDATE,        0x8000,      0xFFFF};
        for (const int id : buttons)
            for (const int code : codes)
                r.emplace_back(id, code);
        const int inactive[] = {IDOK,     IDCANCEL, ID_AF1, ID_CAP, ID_PROTO_R1, ID_OUT_FREQ,
                                ID_RSTAR, 1006,     1029,   1062,   2000};
        for (const int id : inactive)
            for (const int code : {0, 1, static_cast<int>(EN_CHANGE)})
                r.emplace_back(id, code);
        return r;
    }();
    for (const auto& [id, code] : rows) {
        SCOPED_TRACE(testing::Message() << "ID " << id << ", code " << code);
        WindowSendCommand(main, id, code);
        ASSERT_TRUE(WindowExists(main));
        ASSERT_EQ(AppFindWindow(app, "Help/About"), nullptr);
    }
    EXPECT_EQ(Everything(), before);
}

}  // namespace
