#include "core/LineSplitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::pair<size_t, size_t>>; // start and newline offsets

Lines splitByHand(const std::string& text, size_t& rest)
{
    Lines lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            lines.emplace_back(start, i);
            start = i + 1;
        }
    rest = start;
    return lines;
}

} // namespace

// Every line end is found once, in order, wherever it falls against the
// 64-byte steps, including next to bytes that differ from '\n' by one bit.
TEST(LineSplitter, FindsEveryLineEndAndTheUnfinishedRest)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 400; ++trial) {
        const size_t length = size_t(random() % 300);
        std::string text(length, 'x');
        for (char& c : text) {
            const unsigned r = random() % 16;
            c = r == 0 ? '\n' : r == 1 ? char(0x8A) : r == 2 ? '\x0B' : r == 3 ? '\0' : char('a' + r);
        }
        const char* base = text.data();
        Lines found;
        const char* rest = LineSplitter::split(base, base + length, [&](const char* start, const char* newline) {
            found.emplace_back(size_t(start - base), size_t(newline - base));
            return true;
        });
        size_t expectedRest = 0;
        ASSERT_EQ(found, splitByHand(text, expectedRest)) << "trial " << trial;
        ASSERT_EQ(size_t(rest - base), expectedRest) << "trial " << trial;
    }
}

TEST(LineSplitter, StopsAtTheLineThatSaysSo)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\n";
    int seen = 0;
    const char* rest = LineSplitter::split(text.data(), text.data() + text.size(), [&](const char*, const char*) {
        return ++seen < 25;
    });
    EXPECT_EQ(rest, nullptr);
    EXPECT_EQ(seen, 25);
}
