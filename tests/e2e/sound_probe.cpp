// Measures a recording of the program's sound for the end-to-end tests: raw signed 16-bit
// little-endian mono samples in, one line per window out:
//
//   <start in ms> <RMS, 0..1 of full scale> <share of the energy at f1> <at f2> ...
//
// The share of a frequency is 1 for a pure sine at it and near 0 for noise or other tones.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Power of `frequency` in `samples`, scaled so that a pure sine gives its window's energy.
double ToneEnergy(const std::vector<double>& samples, double frequency, double rate) {
    const double w = 2.0 * M_PI * frequency / rate;
    const double coefficient = 2.0 * std::cos(w);
    double s1 = 0.0;
    double s2 = 0.0;
    for (double x : samples) {
        const double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * power / static_cast<double>(samples.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RAW_FILE RATE WINDOW_MS [FREQUENCY...]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    const double rate = std::atof(argv[2]);
    const int windowMs = std::atoi(argv[3]);
    const std::size_t window = static_cast<std::size_t>(rate * windowMs / 1000.0);
    if (rate <= 0 || window == 0) {
        return 2;
    }
    std::vector<double> frequencies;
    for (int i = 4; i < argc; ++i) {
        frequencies.push_back(std::atof(argv[i]));
    }

    const std::size_t count = bytes.size() / 2;
    std::vector<double> samples;
    for (std::size_t start = 0; start + window <= count; start += window) {
        samples.clear();
        double energy = 0.0;
        for (std::size_t i = start; i < start + window; ++i) {
            const auto lo = static_cast<std::uint8_t>(bytes[2 * i]);
            const auto hi = static_cast<std::uint8_t>(bytes[2 * i + 1]);
            const double x = static_cast<std::int16_t>(lo | hi << 8) / 32768.0;
            samples.push_back(x);
            energy += x * x;
        }
        std::printf("%lld %.6f", static_cast<long long>(start * 1000 / rate),
                    std::sqrt(energy / window));
        for (double f : frequencies) {
            std::printf(" %.3f", energy > 0 ? ToneEnergy(samples, f, rate) / energy : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
