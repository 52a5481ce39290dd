#pragma once
// A trace of every year for analysis: what was offered, who picked what, who carried each entry
// out, how each war went and where every warlord stood at the end of the year. The trace only
// watches; writing it changes nothing in the game, and a game without a trace (nullptr) runs
// exactly the same draws.
//
// Who reports what (MainState::trace and MsgState::trace are nullptr when nobody listens):
//   offers    the year cycle, after the draws of the year's offers:
//               if (main.trace) trace_offers(*main.trace, main.year, main.shared);
//   pick      the year cycle, once per warlord when its pick is final (computer pick kept or the
//             player's choice made):  main.trace->pick(year, gun, panel, pos, by_player);
//   entry     execute_strategy itself, before the strategy runs (the phase frame must not);
//   war       War_rtn / Gisen_rtn, once the verdict is known (0 = undecided):
//               if (state.trace) state.trace->war(state.shared.form_param, righteous, attacker_id,
//                                                 defender_id, initiative, tactic, verdict);
//   year_end  the year cycle, after the year-end steps have written the working files:
//               if (main.trace) trace_year_end(*main.trace, main.year, main.folder, main.shared);
//   told      the message window's state, for every text section composed during the year
//             (MsgState::ld_Text_rtn); the JSON Lines trace leaves it out, the odds estimator reads
//             the outcome of an entry from it.
// The message window's state takes the main screen's sink: msg_state.trace = main.trace.

#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "world/game_folder.h"
#include "world/shared_values.h"
#include "world/working_set.h"

namespace teijinki {

struct TraceOffer {
    int pos = 0;
    int command = 0;
    int subject = 0;
    int object = 0;
    int level = 0;
};

struct TraceWarlord {
    int id = 0;
    int army = 0;
    int seihei = 0;
    int meisei = 0;
    int tian = 0;
    int kessoku = 0;
    int ifu = 0;
    bool del = false;
    int provinces = 0;
};

class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void offers(int year, int panel, const std::vector<TraceOffer>& entries) = 0;
    virtual void pick(int year, int gun, int panel, int pos, bool by_player) = 0;
    virtual void entry(int year, int panel, int pos, int command, const std::vector<int>& participants, int exec_id,
                       int best, int fail_id) = 0;
    virtual void war(int year, bool righteous, int attacker, int defender, int initiative, int tactic,
                     int verdict) = 0;
    virtual void year_end(int year, const std::vector<TraceWarlord>& warlords) = 0;
    // A Text.ini section told on the year's pages; most listeners need not hear it.
    virtual void told(int /*year*/, int /*section*/) {}
};

// One JSON object per line, each with "type" and "year". Lines are flushed at every year end, so
// a trace cut short by a crash still holds every finished year.
class JsonLinesTrace : public TraceSink {
public:
    // Writes to the stream; the stream must outlive the sink.
    explicit JsonLinesTrace(std::ostream& out) : out_(&out) {}
    // Creates (or empties) the file; throws DataError naming it when it cannot be written.
    explicit JsonLinesTrace(const std::string& path);

    void offers(int year, int panel, const std::vector<TraceOffer>& entries) override;
    void pick(int year, int gun, int panel, int pos, bool by_player) override;
    void entry(int year, int panel, int pos, int command, const std::vector<int>& participants, int exec_id,
               int best, int fail_id) override;
    void war(int year, bool righteous, int attacker, int defender, int initiative, int tactic,
             int verdict) override;
    void year_end(int year, const std::vector<TraceWarlord>& warlords) override;

private:
    void write_line(const std::string& line);

    std::unique_ptr<std::ofstream> file_;
    std::string path_;
    std::ostream* out_ = nullptr;
};

// The offers of one panel as the strategy phase will read them: command numbers from com_codes,
// parameters from com_subject / com_object / com_level at the same positions.
std::vector<TraceOffer> panel_offers(const SharedValues& shared, int panel);
// Reports panels 0..3 ("待機" entries included).
void trace_offers(TraceSink& sink, int year, const SharedValues& shared);

// Warlords 1..gun_count as the objects hold them; provinces = how many provinces it owns.
std::vector<TraceWarlord> warlord_standing(const SharedValues& shared, const WorkingSet& world);
// Reads the working files (gunsv.ini, Kunisv.ini) and reports the standing of every warlord.
void trace_year_end(TraceSink& sink, int year, const GameFolder& folder, const SharedValues& shared);

}  // namespace teijinki
