#pragma once
// Who takes the four battle roles of a warlord, and the warlord's four force totals.
// Each procedure leaves its result score in state.contest_score.

#include "messages/msg_state.h"

namespace teijinki {

// Contests among the warlord's eligible generals in id order; each returns the winner's id (0 when
// nobody is eligible) and leaves the winning score in contest_score (0 when nobody is eligible).
int Taishou_rtn(MsgState& state, const Gun& g);  // commander: jobs 4, 5, 6
int Gunsi_rtn(MsgState& state, const Gun& g);    // strategist: jobs 3, 6, and 4 at half wisdom
int Shougun_rtn(MsgState& state, const Gun& g);  // field general: job 4
int Ikki_rtn(MsgState& state, const Gun& g);     // duellist: jobs 5, 4, 2

// Sums of one ability over the warlord's generals of certain jobs, left in contest_score; a sum of
// 0 becomes 1 so the totals can divide.
void Ttl_Shou_rtn(MsgState& state, const Gun& g);  // tactics of job 4
void Ttl_Fgt_rtn(MsgState& state, const Gun& g);   // fight of job 4
void Ttl_Plc_rtn(MsgState& state, const Gun& g);   // policy of jobs 1, 3, 4, 6
void Ttl_Wis_rtn(MsgState& state, const Gun& g);   // tactics of jobs 3, 4, 6

}  // namespace teijinki
