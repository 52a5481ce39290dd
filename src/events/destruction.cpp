#include "events/destruction.h"

namespace teijinki {

namespace {

constexpr int kSectionNewLeader = 59;
constexpr int kSectionDestroyed = 60;

bool leads_alliance(const Gun& g) { return g.kunshuID == g.meishuID; }

}  // namespace

void checkMetubou(MsgState& state) {
    SharedValues& shared = state.shared;
    WorkingSet& world = state.world;
    state.Metubou_Flg = false;
    for (int g = 1; g <= shared.gun_count; ++g) {
        Gun& gun = world.gun[g];
        if (gun.del) continue;
        bool survives = false;
        for (int p = 1; p <= shared.kuni_count; ++p)
            if (world.kuni[p].gunID == g) survives = true;
        for (int k = 1; k <= shared.bushou_count; ++k)
            if (world.chr[k].gunID == g && world.chr[k].kunID != k) survives = true;
        // The draw is made even for a warlord that already survived, so the dice that follow
        // do not depend on how the other tests came out.
        const int r = roll(state.rng, 50) + 1;
        if (gun.meisei - gun.ifu > r) survives = true;
        if (survives) continue;

        // Asked before Metubou frees the player's slot, which would hide that he played it.
        const bool player = isPlayer(state, g);
        Metubou(state, g);
        shared.text_sub1 = gun.name;
        shared.text_sub2 = "";
        state.show_text(kSectionDestroyed);
        if (leads_alliance(gun)) looseMeishu(state, g);
        if (player) state.Metubou_Flg = true;
    }
    state.All_Metubou_Flg = checkAllMetubou(state);
}

void Metubou(MsgState& state, int g) {
    state.world.gun[g].del = true;
    // The slot that plays g is freed. Slot g − 1 is g's own slot when the title screen listed
    // the warlords in id order; every slot holding g is cleared so that a slot playing another
    // warlord is never taken away by mistake.
    for (int s = 0; s <= kMaxWarlords; ++s)
        if (state.shared.player_gun[s] == g) state.shared.player_gun[s] = 0;
}

bool isPlayer(const MsgState& state, int g) {
    for (int s = 0; s <= 15; ++s)
        if (state.shared.player_gun[s] == g) return true;
    return false;
}

bool checkAllMetubou(const MsgState& state) {
    const SharedValues& shared = state.shared;
    for (int s = 0; s <= kMaxWarlords; ++s) {
        const int g = shared.player_gun[s];
        if (g >= 1 && g <= last_warlord(shared) && !state.world.gun[g].del) return false;
    }
    return true;
}

void looseMeishu(MsgState& state, int g) {
    SharedValues& shared = state.shared;
    WorkingSet& world = state.world;
    const int old = world.gun[g].meishuID;

    int successor = 0;
    for (int h = 1; h <= shared.gun_count; ++h) {
        const Gun& member = world.gun[h];
        if (member.meishuID == old && !member.del && !leads_alliance(member)) successor = member.kunshuID;
    }

    if (successor > 0) {
        shared.text_sub1 = successor <= kMaxGenerals ? world.chr[successor].name : std::string();
        state.show_text(kSectionNewLeader);
        for (int h = 1; h <= shared.gun_count; ++h)
            if (world.gun[h].meishuID == old) world.gun[h].meishuID = successor;
    } else {
        // No member can take over: a leader is raised elsewhere, preferably from a warlord in
        // no alliance. When every survivor already leads, nobody is raised.
        int raised = 0;
        for (int h = 1; h <= shared.gun_count && raised == 0; ++h)
            if (!world.gun[h].del && world.gun[h].meishuID == 0) raised = h;
        for (int h = 1; h <= shared.gun_count && raised == 0; ++h)
            if (!world.gun[h].del && !leads_alliance(world.gun[h])) raised = h;
        if (raised > 0) {
            Gun& leader = world.gun[raised];
            leader.meishuID = leader.kunshuID;
            shared.text_sub1 = leader.name;
            state.show_text(kSectionNewLeader);
        }
    }
    world.gun[g].meishuID = 0;
}

}  // namespace teijinki
