#pragma once
// Sample contents for the archive tests, each with a different compression character.
#include <random>
#include <string>

#include "tests/native/skin/SkinArchiveBuilder.h"

namespace trimwell::testing {

inline Bytes TextSample(std::size_t size) {
    static const char* const words[] = {"[fltsim.0]", "title=", "Cessna", "Skyhawk", "sim=c172", "model=",
                                        "panel=", "texture=", "atc_id=N172SP", "\r\n", "ui_type=", "172"};
    std::mt19937 rng(7);
    Bytes out;
    while (out.size() < size) {
        const std::string w = words[rng() % 12];
        out.insert(out.end(), w.begin(), w.end());
        out.push_back(rng() % 5 ? ' ' : '\n');
    }
    out.resize(size);
    return out;
}

// Little-endian integers and pixel-like rows, as skin bitmaps hold.
inline Bytes BinarySample(std::size_t size) {
    Bytes out;
    for (std::uint32_t i = 0; out.size() < size; ++i) {
        Put32(out, i * 2654435761u >> (i % 24));
        out.push_back(static_cast<std::uint8_t>(i / 7));
        out.push_back(static_cast<std::uint8_t>(0xFF - i / 13));
    }
    out.resize(size);
    return out;
}

inline Bytes RandomSample(std::size_t size) {
    std::mt19937 rng(11);
    Bytes out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

// Runs from 1 to 100000 bytes long, including runs of a two-byte pattern.
inline Bytes RunsSample(std::size_t size) {
    std::mt19937 rng(13);
    Bytes out;
    while (out.size() < size) {
        const std::size_t run = 1 + rng() % (rng() % 4 ? 300 : 100000);
        const auto a = static_cast<std::uint8_t>(rng());
        const auto b = static_cast<std::uint8_t>(rng() % 3 ? a : rng());
        for (std::size_t i = 0; i < run; ++i) out.push_back(i % 2 ? b : a);
    }
    out.resize(size);
    return out;
}

// 5 MB of all the above, so that the window wraps many times and blocks change character.
inline Bytes LargeSample() {
    Bytes out;
    for (int i = 0; out.size() < 5u * 1024 * 1024; ++i) {
        const Bytes part = i % 4 == 0 ? TextSample(300000) : i % 4 == 1 ? BinarySample(200000)
                          : i % 4 == 2 ? RandomSample(70000) : RunsSample(400000);
        out.insert(out.end(), part.begin(), part.end());
    }
    out.resize(5u * 1024 * 1024);
    return out;
}

struct NamedSample {
    const char* name;
    Bytes (*make)();
};

inline const std::vector<NamedSample>& Samples() {
    static const std::vector<NamedSample> samples = {
        {"text", [] { return TextSample(200000); }},     {"binary", [] { return BinarySample(150000); }},
        {"random", [] { return RandomSample(100000); }}, {"runs", [] { return RunsSample(300000); }},
        {"large", [] { return LargeSample(); }},
    };
    return samples;
}

}  // namespace trimwell::testing
