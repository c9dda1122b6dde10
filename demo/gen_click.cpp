// Synthesises the demo installation's button click: a short, soft mechanical tick as 16-bit
// mono PCM in a WAVE file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

void put16(std::vector<char>& b, std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>(v >> 8));
}
void put32(std::vector<char>& b, std::uint32_t v) {
    put16(b, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(b, static_cast<std::uint16_t>(v >> 16));
}
void putTag(std::vector<char>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_click OUT.wav\n");
        return 2;
    }
    constexpr std::uint32_t rate = 22050;
    constexpr int samples = rate * 45 / 1000;
    std::vector<std::int16_t> pcm(samples);
    std::uint32_t noise = 0x9E3779B9u;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        noise = noise * 1664525u + 1013904223u;
        const double n = static_cast<double>(noise >> 8) / (1u << 24) * 2.0 - 1.0;
        const double body = std::sin(2 * std::numbers::pi * 1850 * t) * std::exp(-t * 160);
        const double snap = n * std::exp(-t * 900);
        pcm[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround((0.55 * body + 0.35 * snap) * 20000));
    }
    std::vector<char> b;
    putTag(b, "RIFF");
    put32(b, 36 + samples * 2);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, 1);
    put32(b, rate);
    put32(b, rate * 2);
    put16(b, 2);
    put16(b, 16);
    putTag(b, "data");
    put32(b, samples * 2);
    for (auto s : pcm) put16(b, static_cast<std::uint16_t>(s));
    std::ofstream(argv[1], std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
    return 0;
}
