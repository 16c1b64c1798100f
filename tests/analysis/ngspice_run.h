// Runs a netlist in the real ngspice in batch mode, its analysis replaced
// by a control block, and reads back the columns the block wrote.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora {

// `control` holds the commands between .control and .endc; "DATA" in it
// names the file to wrdata into. Returns each line of that file as numbers.
inline std::vector<std::vector<double>> RunNgspice(const std::string& netlist,
                                                   const std::string& control,
                                                   const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("velmora-spice-" + std::to_string(getpid()) + "-" + name);
    fs::create_directories(dir);
    const fs::path cir = dir / "filter.cir", data = dir / "out.txt", log = dir / "log.txt";
    std::string block = control;
    for (size_t at; (at = block.find("DATA")) != std::string::npos;)
        block.replace(at, 4, data.string());
    std::string deck = netlist;
    deck.replace(deck.rfind(".end\n"), 5, ".control\n" + block + ".endc\n.end\n");
    std::ofstream(cir) << deck;
    const std::string command =
        std::string(VELMORA_NGSPICE) + " -b " + cir.string() + " > " + log.string() + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "see " << log;
    std::vector<std::vector<double>> rows;
    std::ifstream in(data);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::vector<double> row;
        for (double v; fields >> v;)
            row.push_back(v);
        if (!row.empty()) rows.push_back(row);
    }
    if (!rows.empty()) fs::remove_all(dir);
    return rows;
}

}  // namespace velmora
