#include "war/outcomes.h"

#include "events/defection.h"
#include "world/numbers.h"

namespace teijinki {

namespace {

enum class DefeatKind { Battle, Surrender };

void defeat(MsgState& state, Gun& g, const Bushou& b, Gun* named_winner, DefeatKind kind) {
    // The strategist's record may be the object of a deserter below; keep what is needed first.
    int winner_id = b.gunID;
    int winner_lord = b.kunID;
    if (named_winner && named_winner->id != b.gunID) {
        winner_id = named_winner->id;
        winner_lord = named_winner->kunshuID;
    }
    const int hold = saturate16(static_cast<long long>(b.policy) + b.tactics + 10);

    g.seihei = Int(real(g.seihei) / 2.0f);
    g.meisei = Int(real(g.meisei) * 4.0f / 5.0f);
    if (kind == DefeatKind::Battle) {
        g.tian = Int(real(g.tian) / 2.0f);
        g.kessoku = Int(real(g.kessoku) * 2.0f / 3.0f);
    } else {
        g.kessoku = Int(real(g.kessoku) / 2.0f);
    }

    Gun& winner = state.world.gun[winner_id];
    rnd_Dokuritu(state, winner, g, hold);

    int d = Rnd_Shuppon(state, g);
    if (d != 0) {
        Bushou& man = state.world.chr[d];
        man.gunID = winner_id;
        man.kunID = winner_lord;
        state.shared.text_sub1 = man.name;
        state.shared.text_sub2 = state.world.gun[winner_id].name;
        state.show_text(13);
    }
    d = Rnd_Shuppon(state, g);
    if (d != 0) {
        Bushou& man = state.world.chr[d];
        man.gunID = 0;
        man.kunID = 0;
        state.shared.text_sub1 = man.name;
        state.show_text(37);
    }
}

void endure_draw(MsgState& state, Gun& g) {
    g.seihei = Int(real(g.seihei) * 3.0f / 4.0f);
    g.tian = Int(real(g.tian) * 3.0f / 4.0f);
    rnd_Dokuritu2(state, g);
}

}  // namespace

void Shouri_rtn(MsgState&, Gun& g1, Gun&, const Bushou&) {
    raise_capped(g1.meisei, 10, 200);
    raise_capped(g1.kessoku, 10, 100);
    raise_capped(g1.ifu, 5, 100);
}

void Haiboku_rtn(MsgState& state, Gun& g, const Bushou& b, Gun* winner) {
    defeat(state, g, b, winner, DefeatKind::Battle);
}

void Haiboku_rtn2(MsgState& state, Gun& g, const Bushou& b, Gun* winner) {
    defeat(state, g, b, winner, DefeatKind::Surrender);
}

void Hikiwake_rtn(MsgState& state, Gun& g1, Gun& g2) {
    // g1's unrest is settled before g2's troops are reduced.
    endure_draw(state, g1);
    endure_draw(state, g2);
}

void Kouhuku_rtn(MsgState& state, Gun& g1, Gun& g2) {
    if (g2.kunshuID == g2.meishuID) {
        // A leader of an alliance submits but keeps his alliance.
        state.shared.text_sub2 = g1.name;
        state.shared.text_sub1 = g2.name;
        state.show_text(57);
        return;
    }
    g2.meishuID = static_cast<int>(g1.meishuID);
    state.shared.text_sub2 = g1.meishuID != 0 ? state.world.chr[g1.meishuID].name : std::string("独立軍閥");
    state.shared.text_sub1 = g2.name;
    state.show_text(41);
}

}  // namespace teijinki
