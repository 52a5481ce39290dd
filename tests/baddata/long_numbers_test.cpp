// Number fields far outside every range: a twenty-digit number in a record file read as a real
// too large for any integer, and converting it was undefined (found by the list-reader fuzzer).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.h"
#include "world/list_io.h"
#include "world/numbers.h"
#include "world/record_ops.h"

namespace teijinki::testing {
namespace {

TEST(LongNumbersTest, RealsBeyondEveryIntegerAreHeldAtTheEnds) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    constexpr long long kMin = std::numeric_limits<long long>::min();
    EXPECT_EQ(CInt(5.55556e19), kMax);
    EXPECT_EQ(CInt(-1e300), kMin);
    EXPECT_EQ(Int(HUGE_VAL), kMax);
    EXPECT_EQ(Int(-HUGE_VAL), kMin);
    EXPECT_EQ(CInt(std::nan("")), 0);

    std::int16_t n = 0;
    ASSERT_TRUE(parse_number("-" + std::string(400, '9'), n));
    EXPECT_EQ(n, -32768);
}

TEST(LongNumbersTest, AGeneralWithATwentyDigitAbilityLoadsSaturated) {
    TempGameFolder dir;
    dir.write("ini/Text.ini", crlf_lines({".001", "x", "..", ".100", ".."}));
    dir.write("ini/busv.ini", crlf_lines({".1", "\"甲\"", "55555555555555555555,1,2,3", "4,5", "1,5", "\"a\""}));
    const GameFolder folder = dir.folder();
    SharedValues shared;
    shared.bushou_count = 1;
    RecordOps ops(folder, shared);
    ops.target_id = 1;
    ops.ld_Chr_rtn();
    EXPECT_EQ(ops.chr.policy, 32767);
    EXPECT_EQ(ops.chr.fight, 1);
}

}  // namespace
}  // namespace teijinki::testing
