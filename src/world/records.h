#pragma once
// The three records of the world: generals, warlords and provinces.

#include <string>
#include <string_view>

#include "world/numbers.h"

namespace teijinki {

// Jobs of generals.
inline constexpr int kJobNone = 0;
inline constexpr int kJobBunkan = 1;   // 文官
inline constexpr int kJobBukan = 2;    // 武官
inline constexpr int kJobSanbou = 3;   // 参謀
inline constexpr int kJobShougun = 4;  // 将軍
inline constexpr int kJobKunshu = 5;   // 君主
inline constexpr int kJobGunshi = 6;   // 軍師
// "文官" … "軍師"; empty for 0 and for anything outside 1..6.
std::string_view job_name(int job);

inline constexpr const char* kMissingGeneralName = "何某";
inline constexpr const char* kMissingProvinceName = "某国";
inline constexpr const char* kMissingGeneralPortrait = "zouhyou1";

class Bushou {
public:
    // A constructor of its own (the members' initializers do the work): a table of hundreds is
    // then made without each entry zeroed first.
    Bushou() {}  // NOLINT(modernize-use-equals-default): "= default" would bring the zeroing back
    std::string name;
    Int16 policy = 1;
    Int16 fight = 1;
    Int16 wisdom;
    Int16 tactics;
    Int16 charm;
    Int16 Setu;
    Int16 kunID;
    Int16 gunID;  // the warlord of the lord he serves; derived when the working set is loaded
    Int16 Job;
    std::string jpg;
};

class Gun {
public:
    Gun() {}  // NOLINT(modernize-use-equals-default): as Bushou's
    Int16 id;
    std::string name;
    Int16 kunshuID;
    Int16 meishuID;
    Int16 army;
    Int16 seihei;
    Int16 meisei;
    Int16 kessoku;
    Int16 tian;
    Int16 ifu;
    bool del = false;
};

class Kuni {
public:
    Kuni() {}  // NOLINT(modernize-use-equals-default): as Bushou's
    std::string name;
    Int16 gunID;
    Int16 army;
};

}  // namespace teijinki
