// Calculations through the window: the inputs of window_cases.tsv typed into
// the boxes with real keystrokes, CALC clicked, and the twelve result boxes
// compared byte for byte with what the native velmora-calc --batch printed
// for the same inputs.
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "velmora_session.h"

namespace {

// The boxes in the columns' order, and the result boxes in --batch's.
constexpr int kInputIds[8] = {ID_AF1, ID_F1, ID_AF2, ID_F2, ID_CAP, ID_FSF, ID_ISF, ID_RSTAR};
constexpr int kResultIds[12] = {ID_PROTO_R1, ID_PROTO_R2, ID_PROTO_R3, ID_PROTO_R4,
                                ID_PROTO_K,  ID_OUT_R1,   ID_OUT_R2,   ID_OUT_R3,
                                ID_OUT_R4,   ID_OUT_C,    ID_OUT_RKR,  ID_OUT_FREQ};

// The TAB-separated fields of each line (empty fields kept).
std::vector<std::vector<std::string>> Table(const std::wstring& file) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in{std::filesystem::path(file)};
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line + "\t");
        for (std::string field; std::getline(fields, field, '\t');)
            row.push_back(field);
    }
    return rows;
}

using Calculation = VelmoraSession;

TEST_F(Calculation, TypedAndClickedAsVelmoraCalcComputes) {
    const auto cases = Table(kCasesFile), batch = Table(kBatchFile);
    ASSERT_EQ(batch.size(), cases.size());
    ASSERT_GT(cases.size(), 10u);
    ASSERT_TRUE(InputBringToFront(app, main));
    for (size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k][0]);
        ASSERT_EQ(cases[k].size(), 9u);
        // Emptied, so that a result equal to the last one still shows.
        for (const int id : kResultIds)
            ControlSetTextRemote(main, id, "");
        // Each box first holds a text no case has, so that only this typing
        // can give the wanted one; the user deletes it and types. (Shift+Home
        // to select would do too, but under load Wine now and then takes the
        // Home without the Shift.)
        for (size_t i = 0; i < 8; ++i) {
            ControlSetTextRemote(main, kInputIds[i], "?");
            ASSERT_NO_FATAL_FAILURE(FocusByClick(kInputIds[i]));
            InputKey(VK_END);
            InputKey(VK_BACK);
            InputType(cases[k][i + 1]);
            ASSERT_TRUE(WaitUntil([&] { return Text(kInputIds[i]) == cases[k][i + 1]; }))
                << "box " << kInputIds[i] << " holds \"" << Text(kInputIds[i]) << "\"";
        }
        InputClick(Control(ID_CALC));
        // ShowResults writes the frequency box last.
        ASSERT_TRUE(WaitUntil([&] { return !Text(ID_OUT_FREQ).empty(); }));
        std::vector<std::string> shown;
        for (const int id : kResultIds)
            shown.push_back(Text(id));
        EXPECT_EQ(shown, batch[k]);
    }
}

}  // namespace
