// Writes the program's three sounds (chimes.wav, error.wav, notify.wav) into
// the folder given: 16-bit mono PCM at 22050 Hz, synthesised here so that the
// project owns every byte it ships.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Tone {
    double startS;
    double freqHz;
    double lengthS;
    double amplitude;
    double decayPerS;  // exponential decay, a struck-bell envelope
    bool square;
};

std::vector<std::int16_t> Render(const std::vector<Tone>& tones, double totalS) {
    std::vector<double> mix(static_cast<std::size_t>(totalS * kRate), 0.0);
    for (const Tone& t : tones) {
        const auto first = static_cast<std::size_t>(t.startS * kRate);
        const auto count = static_cast<std::size_t>(t.lengthS * kRate);
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double s = static_cast<double>(i) / kRate;
            const double attack = std::min(1.0, s / 0.005);
            const double release = std::min(1.0, (t.lengthS - s) / 0.01);
            const double env = t.amplitude * attack * release * std::exp(-t.decayPerS * s);
            double wave = std::sin(2 * kPi * t.freqHz * s);
            if (t.square) {
                wave = wave >= 0 ? 0.6 : -0.6;
            } else {
                wave += 0.3 * std::sin(2 * kPi * 2 * t.freqHz * s);  // a little brightness
            }
            mix[first + i] += env * wave;
        }
    }
    std::vector<std::int16_t> pcm(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double v = std::max(-1.0, std::min(1.0, mix[i]));
        pcm[i] = static_cast<std::int16_t>(std::lround(v * 30000));
    }
    return pcm;
}

void Put32(std::ofstream& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::ofstream& out, std::uint16_t v) {
    out.put(static_cast<char>(v & 0xFF));
    out.put(static_cast<char>(v >> 8));
}

bool WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (std::int16_t s : pcm) Put16(out, static_cast<std::uint16_t>(s));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    // Success: a rising major arpeggio, like a small bell.
    const auto chimes = Render({{0.00, 1046.5, 0.9, 0.35, 4.0, false},
                                {0.12, 1318.5, 0.9, 0.35, 4.0, false},
                                {0.24, 1568.0, 1.0, 0.35, 3.5, false}},
                               1.3);
    // Failure: two falling, buzzy tones.
    const auto error =
        Render({{0.00, 440.0, 0.18, 0.45, 2.0, true}, {0.22, 311.1, 0.35, 0.45, 2.0, true}}, 0.6);
    // Attention: one short soft ping.
    const auto notify = Render({{0.00, 880.0, 0.35, 0.4, 9.0, false}}, 0.4);
    const bool ok = WriteWav(dir + "/chimes.wav", chimes) && WriteWav(dir + "/error.wav", error) &&
                    WriteWav(dir + "/notify.wav", notify);
    if (!ok) {
        std::fprintf(stderr, "wavgen: cannot write the sounds into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
