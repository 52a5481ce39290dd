// Number fields far outside every range: a twenty-digit number in a record file read as a real
// too large for any integer, and converting it was undefined (found by the list-reader fuzzer).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "world/list_io.h"
#include "world/numbers.h"

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

}  // namespace
}  // namespace teijinki::testing
