#include "util/random.h"

#include <gtest/gtest.h>

namespace {
// Every test starts from a known seed, whatever ran before it.
class RandomTest : public ::testing::Test {
protected:
    void SetUp() override { SeedRandom(InitialRandomSeed); }
};
} // namespace

TEST_F(RandomTest, FirstStepFromTheInitialSeedNeedsNoReduction) {
    EXPECT_EQ(RandomStep(), 4660 * 48271);
    // The next step does need the modulus: compare with 64-bit arithmetic.
    const int64_t expected = (int64_t{4660} * 48271 * 48271) % 2147483647;
    EXPECT_EQ(RandomStep(), expected);
}

TEST_F(RandomTest, StepsMatchTheMultiplicativeGeneratorForManySeeds) {
    for (int32_t start : {1, 2, 44487, 44488, 123456789, 2147483646}) {
        SeedRandom(start);
        int64_t expected = start;
        for (int i = 0; i < 1000; ++i) {
            expected = expected * 48271 % 2147483647;
            ASSERT_EQ(RandomStep(), expected) << "seed " << start << " step " << i;
        }
    }
}

TEST_F(RandomTest, DegenerateSeedsFallBackToTheInitialSeed) {
    for (int32_t seed : {0, 0x7FFFFFFF, -1}) {
        SeedRandom(seed);
        EXPECT_EQ(RandomSeed(), InitialRandomSeed) << seed;
    }
    SeedRandom(-2); // only the low 31 bits are kept
    EXPECT_EQ(RandomSeed(), 0x7FFFFFFE);
}

TEST_F(RandomTest, UnitValuesAreMadeFromTheMaskedSeeds) {
    SeedRandom(99);
    const int32_t s1 = RandomStep();
    SeedRandom(99);
    EXPECT_FLOAT_EQ(RandomUnitFloat(), static_cast<float>((s1 & 0x0FFFFFF0) / 268435456.0));

    SeedRandom(99);
    const int32_t a = RandomStep() & 0x1FFFFFFC;
    const int32_t b = RandomStep() & 0x1FFFFFF8;
    const int32_t after = RandomSeed();
    SeedRandom(99);
    EXPECT_DOUBLE_EQ(RandomUnitDouble(), (a + b / 134217728.0) / 536870912.0);
    EXPECT_EQ(RandomSeed(), after) << "a double consumes exactly two steps";
}

TEST_F(RandomTest, UnitValuesStayBelowOne) {
    for (int i = 0; i < 20000; ++i) {
        const double d = RandomUnitDouble();
        const float f = RandomUnitFloat();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
    }
}

TEST_F(RandomTest, RangesAcceptTheirBoundsInEitherOrder) {
    bool sawLow = false;
    bool sawHigh = false;
    for (int i = 0; i < 20000; ++i) {
        const int32_t v = RandomInt(1, 100);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 100);
        sawLow |= v == 1;
        sawHigh |= v == 100;

        const int32_t reversed = RandomInt(7, 3);
        ASSERT_GE(reversed, 3);
        ASSERT_LE(reversed, 7);

        ASSERT_EQ(RandomInt(5, 5), 5);

        const double r = RandomRange(2.0, -1.0);
        ASSERT_GE(r, -1.0);
        ASSERT_LT(r, 2.0);
    }
    EXPECT_TRUE(sawLow && sawHigh) << "both bounds can be returned";
}

TEST_F(RandomTest, RangeWithEqualBoundsStillConsumesTwoSteps) {
    EXPECT_EQ(RandomRange(0.0, 0.0), 0.0);
    SeedRandom(InitialRandomSeed);
    RandomStep();
    const int32_t afterTwo = RandomStep();
    SeedRandom(InitialRandomSeed);
    RandomRange(0.0, 0.0);
    EXPECT_EQ(RandomSeed(), afterTwo);
}
