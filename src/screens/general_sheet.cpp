#include "screens/general_sheet.h"

#include "screens/comments.h"
#include "world/numbers.h"
#include "world/record_file.h"
#include "world/records.h"
#include "world/shared_values.h"
#include "world/template_composer.h"
#include "world/working_set.h"

namespace teijinki {

namespace {

std::string join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty()) out += kCrLf;
        out += p;
    }
    return out;
}

}  // namespace

GeneralSheet load_general_sheet(const GameFolder& folder, int general_id, int bushou_count) {
    GeneralSheet sheet;
    Bushou b;
    read_records(folder, files::kGenerals, RecordKind::General, bushou_count, kMaxGenerals,
                 [&](const RecordItems& r, const std::string& label) {
                     if (r.id != general_id) return;
                     parse_general(r, label, b);
                     sheet.found = true;
                 });
    if (!sheet.found) return sheet;

    sheet.name = b.name;
    sheet.job = std::string(job_name(b.Job));
    sheet.fixed_kinds = join({"器量", "節度"});
    sheet.fixed_values = join({Str(static_cast<int>(b.charm)), Str(static_cast<int>(b.Setu))});
    const std::string policy = Str(static_cast<int>(b.policy));
    const std::string fight = Str(static_cast<int>(b.fight));
    const std::string wisdom = Str(static_cast<int>(b.wisdom));
    const std::string tactics = Str(static_cast<int>(b.tactics));
    switch (static_cast<int>(b.Job)) {
    case kJobBunkan:
        sheet.kinds = "政治";
        sheet.values = policy;
        break;
    case kJobBukan:
        sheet.kinds = "武勇";
        sheet.values = fight;
        break;
    case kJobSanbou:
    case kJobGunshi:
        sheet.kinds = join({"政治", "智謀", "采配"});
        sheet.values = join({policy, wisdom, tactics});
        break;
    case kJobShougun:
        sheet.kinds = join({"武勇", "智謀", "采配"});
        sheet.values = join({fight, wisdom, tactics});
        break;
    case kJobKunshu:
        sheet.kinds = join({"政治", "武勇", "智謀", "采配"});
        sheet.values = join({policy, fight, wisdom, tactics});
        break;
    default:
        break;  // no job: the ability rows stay empty
    }
    if (folder.exists(files::kComments)) sheet.comment = ld_Comment_rtn(folder, general_id, bushou_count);
    sheet.portrait = b.jpg;
    return sheet;
}

}  // namespace teijinki
