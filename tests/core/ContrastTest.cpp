#include "core/Colours.h"
#include "core/Contrast.h"

#include <array>
#include <gtest/gtest.h>

// Text colours are only darkened (or lightened) as far as they must be, and
// keep their hue: the order of their channels stays.
TEST(Contrast, ReadableColourReachesTheRatioKeepsItsHueAndLeavesReadableColoursAlone)
{
    EXPECT_NEAR(Contrast::ratio(Colours::Black, Colours::White), 21.0, 1e-9);
    EXPECT_NEAR(Contrast::ratio(Colours::Yellow, Colours::Yellow), 1.0, 1e-9);
    EXPECT_EQ(Contrast::readableOn(Colours::Black, Colours::White), Colours::Black);
    EXPECT_EQ(Contrast::readableOn(Colours::Blue, 0xEFEFEF), Colours::Blue);

    const auto channels = [](uint32_t c) { return std::array<int, 3>{int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)}; };
    for (const uint32_t background : {Colours::White, 0xE0E0E0u, 0x535353u, Colours::Black}) {
        for (const uint32_t text : {Colours::Yellow, Colours::Aqua, Colours::Lime, Colours::Red, Colours::Silver,
                                    Colours::Sensor[2], Colours::Sensor[5]}) {
            const uint32_t drawn = Contrast::readableOn(text, background);
            EXPECT_GE(Contrast::ratio(drawn, background), Contrast::Readable) << std::hex << text << " on " << background;
            const auto before = channels(text);
            const auto after = channels(drawn);
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b) {
                    if (before[a] > before[b]) {
                        EXPECT_GE(after[a], after[b]) << std::hex << text << " on " << background;
                    }
                }
            }
        }
    }
}
