// The frame of the strategy phase: who may carry an entry out, who is chosen, and what one
// whole pass leaves on the pages and in the files.

#include "msg_fixture.h"
#include "strategy/strategy_phase.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::crlf_lines;
using testing::MsgFixture;

class StrategyPhaseTest : public MsgFixture {
protected:
    void pick(int g, int list, int entry) {
        shared.gun_mei2[g] = list;
        shared.gun_mei[g] = entry;
    }
    StrategyEntry entry_for(int code, int list = 0, int entry = 0) {
        StrategyEntry e;
        e.list = list;
        e.entry = entry;
        e.code = code;
        return e;
    }
    void push_2d6(int total) {  // a 2d6 roll of the given total (2..12)
        const int first = total - 2 > 5 ? 5 : total - 2;
        rng.push_roll(first, 6);
        rng.push_roll(total - 2 - first, 6);
    }
};

TEST_F(StrategyPhaseTest, EveryWarlordUpTo19GetsARollAndId20NeverDoes) {
    for (int i = 0; i < 38; ++i) rng.push_roll(i % 6, 6);
    const GunRolls rolls = draw_gun_rolls(rng);
    EXPECT_EQ(rolls[0], 0);
    EXPECT_EQ(rolls[1], 0 + 1 + 2);
    EXPECT_EQ(rolls[20], 0);
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(StrategyPhaseTest, CandidatesServeALivingWarlordThatTookPartAndHoldNoExcludedJob) {
    shared.bushou_count = 10;
    pick(1, 0, 1);
    pick(2, 1, 1);  // another panel
    pick(3, 0, 1);
    world().gun[3].del = true;
    pick(4, 0, 0);  // another entry
    serve(5, 1, kJobBunkan);   // 文官 may not recruit
    serve(6, 1, kJobShougun);
    serve(7, 2, kJobShougun);
    serve(8, 1);
    world().chr[8].kunID = 0;  // listed with warlord 1 but serving no ruler
    serve(9, 1);
    world().chr[9].gunID = 0;  // his ruler has no warlord, even were warlord 0's plan this entry
    serve(10, 1, kJobGunshi);  // 軍師 may recruit but not fight the Yellow Turbans
    pick(0, 0, 1);
    auto who = [&](int code) {  // general k's flag at place k − 1
        const Candidates cand = find_candidates(*state, 0, 1, code);
        std::string flags;
        for (int k = 1; k <= 10; ++k) flags += cand[k] ? 'x' : '-';
        return flags;
    };
    EXPECT_EQ(who(kRecruit), "x----x---x");
    EXPECT_EQ(who(kYellowTurbans), "x----x----");

    // A warlord whose every general holds an excluded job cannot carry out the strategy.
    world().chr[1].Job = kJobBukan;
    world().chr[6].Job = kJobBunkan;
    world().chr[10].Job = kJobBunkan;
    const Candidates none = find_candidates(*state, 0, 1, kRecruit);
    for (int k = 1; k <= 10; ++k) EXPECT_FALSE(none[k]) << k;
}

TEST_F(StrategyPhaseTest, GroupAUsesTheWarlordsRollAndATieKeepsTheLowerId) {
    serve(5, 1, kJobSanbou);
    serve(6, 1, kJobSanbou);
    world().chr[5].wisdom = 7;
    world().chr[6].wisdom = 7;
    Candidates cand;
    cand[5] = cand[6] = true;
    GunRolls rolls;
    rolls[1] = 9;
    StrategyEntry e = entry_for(kWar);
    e.fail_id = 3;  // left from an earlier entry: a choice starts afresh
    choose_executor(*state, cand, rolls, e);
    EXPECT_EQ(std::make_tuple(e.exec_id, e.best, e.fail_id), std::make_tuple(5, 16, 0));
    EXPECT_EQ(rng.draws(), 0u);
}

TEST_F(StrategyPhaseTest, GroupBDrawsAFreshRollPerCandidate) {
    serve(5, 1, kJobBunkan);
    serve(8, 1, kJobBunkan);  // the last general
    world().chr[5].policy = 9;
    world().chr[8].policy = 4;
    Candidates cand;
    cand[5] = cand[8] = true;
    push_2d6(3);   // 5: 12
    push_2d6(10);  // 8: 14
    StrategyEntry e = entry_for(kEnterProvince);
    choose_executor(*state, cand, GunRolls{}, e);
    EXPECT_EQ(e.exec_id, 8);
    EXPECT_EQ(e.best, 14);
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(StrategyPhaseTest, GroupTChoosesOnlyAmongThoseWhoPassTheDifficulty) {
    serve(5, 1, kJobShougun);
    serve(6, 1, kJobShougun);
    serve(7, 1, kJobShougun);
    world().chr[5].charm = 9;
    world().chr[6].charm = 3;
    world().chr[7].charm = 3;
    shared.com_level[0][0] = 6;
    Candidates cand;
    cand[5] = cand[6] = cand[7] = true;
    push_2d6(2);   // 5: 9 + 2 < 6 + 12 fails
    push_2d6(12);
    push_2d6(12);  // 6: 3 + 12 ≥ 6 + 2 passes
    push_2d6(2);
    push_2d6(12);  //    value 15, the best
    push_2d6(12);  // 7: passes too, value 7; the last one tried passed, so nobody failed last
    push_2d6(2);
    push_2d6(4);
    StrategyEntry e = entry_for(kRecruit);
    choose_executor(*state, cand, GunRolls{}, e);
    EXPECT_EQ(e.exec_id, 6);
    EXPECT_EQ(e.best, 15);
    EXPECT_EQ(e.fail_id, 0);
    EXPECT_EQ(rng.remaining(), 0u);

    // A year in which everyone fails leaves nobody chosen and the last one as fail_id.
    for (int i = 0; i < 3; ++i) {
        push_2d6(2);
        push_2d6(12);
    }
    world().chr[5].charm = 1;
    choose_executor(*state, cand, GunRolls{}, e);
    EXPECT_EQ(e.exec_id, 0);
    EXPECT_EQ(e.best, 0);
    EXPECT_EQ(e.fail_id, 7);
}

TEST_F(StrategyPhaseTest, APassHeadsThePlayersEntriesMarksTheEndAndWritesTheWorldBack) {
    std::string generals, warlords, provinces;
    for (int k = 1; k <= 8; ++k)
        generals += crlf_lines({"." + std::to_string(k), "\"将" + std::to_string(k) + "\"", "5,5,5,5", "5,5",
                                std::to_string(k <= 4 ? k : 0) + ",5", "\"\""});
    for (int g = 1; g <= 4; ++g)
        warlords += crlf_lines({"." + std::to_string(g), "\"軍" + std::to_string(g) + "\"",
                                "0," + std::to_string(g) + ",10,0,0,50,50,0", "\"FALSE\""});
    for (int p = 1; p <= 3; ++p)
        provinces += crlf_lines({"." + std::to_string(p), "\"州" + std::to_string(p) + "\"", std::to_string(p) + ",10"});
    dir.write("ini/busv.ini", generals);
    dir.write("ini/gunsv.ini", warlords);
    dir.write("ini/Kunisv.ini", provinces);
    load_working_set(folder, shared, world());

    // 入国 of 州1 for panel 0, where 軍1 (a player), 軍3 and 軍4 take part; nothing for the last
    // panel, where 軍2 of the last player slot waits.
    shared.com_codes[0] = {kEnterProvince};
    shared.com_codes[3] = {kWait};
    shared.com_subject[0][0] = 1;
    shared.player_gun[0] = 1;
    shared.player_gun[kMaxWarlords] = 2;
    pick(1, 0, 0);
    pick(2, 3, 0);
    pick(3, 0, 0);
    pick(4, 0, 0);
    serve(5, 1, kJobBukan);  // keeps landless 軍1 alive; a 武官 may not take part
    for (int i = 0; i < 38; ++i) rng.push(0.99f);
    push_2d6(2);   // the candidates in id order: 君1 5 + 2,
    push_2d6(12);  // 君3 5 + 12, the executor,
    push_2d6(4);   // 君4 5 + 4;
    push_2d6(5);   // then the entry's roll: 5 + CInt(50 / 10 + 0 − 5) reaches 0 / 10 + 5
    push_2d6(3);   // panel 3's entry roll
    for (int i = 0; i < 4; ++i) rng.push(0.99f);  // warlord 4 (no land) falls: 50 > 0
    run_strategy_phase(*state);

    EXPECT_EQ(state->pages.page_text[0],
              "***軍1（プレイヤー）が関わった作戦***\r\n州1の太守は、軍1である。\r\n"
              "***軍2（プレイヤー）が関わった作戦***\r\n軍4は滅び去った。\r\n");
    EXPECT_EQ(state->pages.page_text[1], "EOT");
    EXPECT_EQ(rng.remaining(), 0u);
    EXPECT_EQ(world().kuni[1].gunID, 3);
    const std::string written = dir.read("ini/gunsv.ini");
    EXPECT_NE(written.find(".4\r\n\"軍4\"\r\n0,4,10,0,0,50,50,0\r\n\"TRUE\"\r\n"), std::string::npos) << written;
    EXPECT_NE(dir.read("ini/Kunisv.ini").find(".1\r\n\"州1\"\r\n3,"), std::string::npos) << "the province written back";
    EXPECT_NE(dir.read("ini/busv.ini"), generals) << "the generals written back";
}

}  // namespace
}  // namespace teijinki
