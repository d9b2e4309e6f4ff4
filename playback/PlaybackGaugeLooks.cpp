#include "playback/PlaybackGaugeLooks.h"

namespace PlaybackGaugeLooks {
namespace {

constexpr uint32_t Black = 0, Red = 255, Green = 32768, Yellow = 65535, Silver = 12632256;

const Look looks[5] = {
    {Black, 0, -2, 4, {0, 13, 17, 22}, 4, {15533526, Green, Yellow, Red}, 1},
    {12632064, 3, -10, 0, {}, 1, {Silver}, 2},
    {Black, 0, -20, 5, {-7, 25, 31, 60}, 4, {Red, Green, Yellow, Red}, 3},
    {Black, 0, 0, 0, {}, 0, {}, 4},
    {8421376, 3, -10, 0, {}, 1, {Silver}, 2},
};

} // namespace

const Look* forValue(int value)
{
    return value >= 1 && value <= 5 ? &looks[value - 1] : nullptr;
}

} // namespace PlaybackGaugeLooks
