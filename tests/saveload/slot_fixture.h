#pragma once
// A tiny running game for the slot tests: hand-written working files and log in a temporary game
// folder, shared values with two players, and helpers that work the save/load screen.

#include <filesystem>
#include <string>

#include "messages/standings.h"
#include "turn/save_sequence.h"
#include "saveload/save_slots.h"
#include "saveload/svld_rules.h"
#include "test_host.h"
#include "test_support.h"

namespace teijinki::testing {

inline const char* const kWorkingFiles[] = {"ini/busv.ini", "ini/gunsv.ini", "ini/Cmtsv.ini", "ini/Kunisv.ini",
                                            "ini/kodarn.log", "ini/standings.csv"};

class SlotWorld {
public:
    SlotWorld() : folder(dir.folder()) { write_game("曹操", 5); }

    // Working files whose contents depend on lord and army, so that two games differ in every
    // file; as many records as a load asks for (170 generals, 13 warlords, 48 provinces).
    void write_game(const std::string& lord, int army) {
        const std::string a = std::to_string(army);
        std::string generals = crlf_lines({".1", "\"" + lord + "\"", "80,70,60,50", "90,1", "1,5", "\"p1\""});
        for (int id = 2; id <= 170; ++id)
            generals += crlf_lines({"." + std::to_string(id), "\"将" + std::to_string(id) + "\"", "60,90,50,60", "70,2", "1,4", "\"\""});
        std::string warlords = crlf_lines({".1", "\"" + lord + "軍\"", "0,1," + a + ",3,50,60,70,40", "\"FALSE\""});
        for (int id = 2; id <= 13; ++id)
            warlords += crlf_lines({"." + std::to_string(id), "\"軍" + std::to_string(id) + "\"", "0," + std::to_string(id) + ",1,1,1,1,1,1", "\"TRUE\""});
        std::string provinces = crlf_lines({".1", "\"陳留\"", "1," + a});
        for (int id = 2; id <= 48; ++id)
            provinces += crlf_lines({"." + std::to_string(id), "\"国" + std::to_string(id) + "\"", "0,2"});
        dir.write("ini/busv.ini", generals);
        dir.write("ini/gunsv.ini", warlords);
        dir.write("ini/Cmtsv.ini", crlf_lines({".1", lord, "乱世の奸雄。", "."}));
        dir.write("ini/Kunisv.ini", provinces);
        dir.write("ini/kodarn.log", crlf_lines({"鼎陣記の記録", lord + "の記録", "EOT======="}));
        StandingsRow row;
        row.year = 190;
        row.warlord = 1;
        row.name = lord + "軍";
        row.troops = army + 3;
        row.score = static_cast<float>(army) + 0.5f;
        dir.write("ini/standings.csv", format_standings({row}));
    }

    // Shared values as a running game holds them.
    void set_players(const std::string& first, int year, int scenario) {
        shared.save_info[0] = year;
        shared.save_info[1] = 40;
        shared.save_info[2] = 55;
        shared.save_info[3] = 100;
        shared.save_info[4] = scenario;
        shared.save_info[5] = 1;
        shared.player_name[0] = first;
        shared.player_lord[0] = 1;
        shared.player_gun[0] = 1;
        shared.player_mei[0] = 0;
        shared.player_name[2] = "劉備";
        shared.player_lord[2] = 7;
        shared.player_gun[2] = 3;
        shared.player_mei[2] = 2;
    }

    std::string working_bytes() const {
        std::string all;
        for (const char* f : kWorkingFiles) all += std::string(f) + "\n" + dir.read(f) + "\n";
        return all;
    }

    // Works the screen: start_mode, number typed, "決定"; "戻る" when it is still open.
    bool save(const std::string& slot) {
        shared.start_mode = 1;
        shared.form_result = 0;
        typed_slot_screen(folder, shared, host, slot, &problem)();
        return shared.form_result == 1;
    }
    bool load(const std::string& slot, FileWriter writer = write_file_replacing) {
        shared.start_mode = 2;
        shared.form_result = 0;
        typed_slot_screen(folder, shared, host, slot, &problem, std::move(writer))();
        return shared.form_result == 1;
    }

    bool exists(const std::string& relative) const { return std::filesystem::exists(dir.root() / relative); }

    TempGameFolder dir;
    GameFolder folder;
    SharedValues shared;
    ScriptedHost host;
    std::string problem;
};

}  // namespace teijinki::testing
