#include <gtest/gtest.h>

#include "platform/random.h"

namespace reef {
namespace {

TEST(RandomGenerator, ReproducesTheClassicSequenceFromStateOne) {
    RandomGenerator generator;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) {
        EXPECT_EQ(generator.Next(), value);
    }
}

TEST(RandomGenerator, StateWrapsModulo2To32AndStaysInRange) {
    RandomGenerator generator(0xFFFFFFFFu);
    // 0xFFFFFFFF * 214013 + 2531011 mod 2^32 = 2317005 -> bits 16..30 = 35.
    EXPECT_EQ(generator.Next(), 35);
    EXPECT_EQ(generator.State(), 2316998u);
    for (int i = 0; i < 100000; ++i) {
        int value = generator.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, RandomGenerator::kMax);
    }
}

TEST(RandomGenerator, ProcessGeneratorIsOneSharedSequence) {
    RandomGenerator& shared = ProcessRandom();
    std::uint32_t saved = shared.State();
    shared.SetState(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(ProcessRandom().Next(), 18467);
    shared.SetState(saved);
}

}  // namespace
}  // namespace reef
