#include "world/records.h"

namespace teijinki {

std::string_view job_name(int job) {
    static constexpr std::string_view names[] = {"", "文官", "武官", "参謀", "将軍", "君主", "軍師"};
    if (job < 0 || job > 6) return "";
    return names[job];
}

}  // namespace teijinki
