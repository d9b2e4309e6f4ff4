// Writes the two alarm sounds of the pop-up as 16-bit mono RIFF wave files:
//   688dv4.wav   main alarm: a fast two-tone siren, one second
//   625ppalm.wav pre-alarm: three short high beeps, one second
// Usage: make-alarm-sounds [directory]   (default: the current directory)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr int SampleRate = 22050;
constexpr double Pi = 3.14159265358979323846;

// A square-ish tone: odd harmonics make it cut through machine noise.
double tone(double frequency, double t)
{
    const double w = 2.0 * Pi * frequency * t;
    return std::sin(w) + std::sin(3.0 * w) / 3.0 + std::sin(5.0 * w) / 5.0;
}

// Short fades at both ends of a burst keep it free of clicks.
double fade(double t, double length)
{
    constexpr double ramp = 0.004;
    if (t < ramp)
        return t / ramp;
    if (length - t < ramp)
        return std::max(0.0, (length - t) / ramp);
    return 1.0;
}

std::vector<int16_t> mainAlarm()
{
    std::vector<int16_t> samples(SampleRate);
    constexpr double half = 0.125;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / SampleRate;
        const int step = int(t / half);
        const double frequency = step % 2 == 0 ? 960.0 : 700.0;
        const double local = t - step * half;
        samples[i] = int16_t(std::lround(0.55 * 32767.0 * fade(local, half) * tone(frequency, t) / 1.53));
    }
    return samples;
}

std::vector<int16_t> preAlarm()
{
    std::vector<int16_t> samples(SampleRate);
    constexpr double beep = 0.16;
    constexpr double period = 0.30;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / SampleRate;
        const int n = int(t / period);
        const double local = t - n * period;
        if (n >= 3 || local >= beep)
            continue;
        const double decay = std::exp(-local * 6.0);
        samples[i] = int16_t(std::lround(0.5 * 32767.0 * decay * fade(local, beep) * tone(1480.0, t) / 1.53));
    }
    return samples;
}

void put32(std::ofstream& out, uint32_t v)
{
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    out.write(b, 4);
}

void put16(std::ofstream& out, uint16_t v)
{
    const char b[2] = {char(v), char(v >> 8)};
    out.write(b, 2);
}

bool writeWave(const std::string& path, const std::vector<int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (int16_t s : samples)
        put16(out, uint16_t(s));
    return bool(out);
}
} // namespace

int main(int argc, char** argv)
{
    std::string dir = argc > 1 ? argv[1] : ".";
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    bool ok = writeWave(dir + "688dv4.wav", mainAlarm());
    ok = writeWave(dir + "625ppalm.wav", preAlarm()) && ok;
    if (!ok) {
        std::fprintf(stderr, "make-alarm-sounds: cannot write the wave files into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
