#include "world/records.h"

namespace teijinki {

std::string_view job_name(int job) {
    static constexpr std::string_view names[] = {"文官", "武官", "参謀", "将軍", "君主", "軍師"};
    if (job < 1 || job > 6) return "";  // 0: no post
    return names[job - 1];
}

}  // namespace teijinki
