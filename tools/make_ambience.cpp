// Synthesises the ambient underwater sound: a soft bed of filtered noise, slow swells of a wash
// that opens and closes, and now and then a few bubbles rising.
//
//   make_ambience OUTPUT.wav     writes 24 s of mono 22 050 Hz 16-bit PCM, and prints its figures
//
// The sound plays in a loop for hours, so the loop point must not be heard. Every part of it is
// periodic in the loop length: the swells and sweeps are sines with whole numbers of cycles per
// loop, the noise is one loop of random samples filtered as if it repeated forever (the filters
// run over several copies and only the last is kept, when their start has died away), and a
// bubble that starts near the end finishes at the start. So the last sample leads into the first
// as any sample leads into the next. Random choices come from a fixed seed: the same program
// writes the same file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr int kSeconds = 24;
constexpr int kLength = kRate * kSeconds;
constexpr double kPi = 3.14159265358979323846;
// The filters' start fades far below one 16-bit step within one loop; two copies before the one
// kept leave no trace of it.
constexpr int kWarmUpLoops = 2;
constexpr double kTargetRms = 0.1;  // -20 dBFS

// SplitMix64: small, fast and the same on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return (Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    std::uint64_t m_state;
};

// One loop of white noise, uniform in [-1, 1].
std::vector<double> Noise(std::uint64_t seed) {
    Random random(seed);
    std::vector<double> samples(kLength);
    for (double& s : samples) {
        s = random.Range(-1.0, 1.0);
    }
    return samples;
}

// A sine with `cycles` whole periods per loop, at sample n.
double LoopSine(int cycles, double phase, int n) {
    return std::sin(2 * kPi * cycles * double(n) / kLength + phase);
}

// Second-order filter (the usual audio cookbook forms) whose coefficients may change per sample.
class Biquad {
public:
    void LowPass(double hz, double q) { Set(hz, q, 0); }
    void HighPass(double hz, double q) { Set(hz, q, 1); }
    void BandPass(double hz, double q) { Set(hz, q, 2); }
    double Step(double x) {
        double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    void Set(double hz, double q, int kind) {
        double w = 2 * kPi * hz / kRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
        double a0 = 1 + alpha;
        if (kind == 0) {
            m_b0 = m_b2 = (1 - c) / 2;
            m_b1 = 1 - c;
        } else if (kind == 1) {
            m_b0 = m_b2 = (1 + c) / 2;
            m_b1 = -(1 + c);
        } else {
            m_b0 = alpha;
            m_b1 = 0;
            m_b2 = -alpha;
        }
        m_b0 /= a0;
        m_b1 /= a0;
        m_b2 /= a0;
        m_a1 = -2 * c / a0;
        m_a2 = (1 - alpha) / a0;
    }
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// Runs `step(n, x)` over the noise as if it repeated forever and keeps the last loop.
template <typename Step>
std::vector<double> FilterLooped(const std::vector<double>& noise, Step step) {
    std::vector<double> out(kLength);
    for (int loop = 0; loop <= kWarmUpLoops; ++loop) {
        for (int n = 0; n < kLength; ++n) {
            double y = step(n, noise[n]);
            if (loop == kWarmUpLoops) {
                out[n] = y;
            }
        }
    }
    return out;
}

// The bed: deep, dark noise below 200 Hz that breathes slowly.
std::vector<double> Bed() {
    Biquad low1, low2, high;
    low1.LowPass(170, 0.7);
    low2.LowPass(260, 0.6);
    high.HighPass(38, 0.7);
    return FilterLooped(Noise(11), [&](int n, double x) {
        double swell = 1.0 + 0.18 * LoopSine(2, 0.4, n) + 0.10 * LoopSine(5, 2.1, n);
        return swell * high.Step(low2.Step(low1.Step(x)));
    });
}

// The wash: a band of noise whose centre drifts between about 220 and 700 Hz and whose level
// swells with it, like water moving past, three and a half times a loop on average.
std::vector<double> Wash() {
    Biquad band, low;
    low.LowPass(1400, 0.7);
    return FilterLooped(Noise(23), [&](int n, double x) {
        double drift = 0.65 * LoopSine(3, 0.0, n) + 0.35 * LoopSine(4, 1.3, n);  // -1..1
        if (n % 32 == 0) {
            band.BandPass(400 * std::pow(2.0, 0.8 * drift), 0.9);
        }
        double open = 0.5 + 0.5 * (0.7 * LoopSine(3, -0.6, n) + 0.3 * LoopSine(7, 0.9, n));
        return open * open * low.Step(band.Step(x));
    });
}

// A faint, high shimmer, much lower than the rest, so the bed is not merely a rumble.
std::vector<double> Shimmer() {
    Biquad high, low;
    high.HighPass(1800, 0.7);
    low.LowPass(4200, 0.7);
    return FilterLooped(Noise(37), [&](int n, double x) {
        double level = 0.6 + 0.4 * LoopSine(6, 2.5, n);
        return level * low.Step(high.Step(x));
    });
}

// One bubble added at `start` (wrapping round the loop): a sine whose pitch rises as the bubble
// shrinks towards the surface, with a soft attack and an exponential decay.
void AddBubble(std::vector<double>& out, int start, double hz, double seconds, double amplitude) {
    const int length = int(seconds * kRate);
    const double attack = 0.004 * kRate, decay = seconds * kRate / 4.5;
    double phase = 0;
    for (int k = 0; k < length; ++k) {
        double t = double(k) / length;
        phase += 2 * kPi * hz * (1 + 0.7 * t * t) / kRate;
        double envelope = std::min(1.0, k / attack) * std::exp(-k / decay);
        // The last few milliseconds fade to nothing, so the bubble ends without a step.
        envelope *= std::min(1.0, (length - k) / (0.01 * kRate));
        out[(start + k) % kLength] += amplitude * envelope * std::sin(phase);
    }
}

// Seven small groups of one to four bubbles, one at a random time in each seventh of the loop.
std::vector<double> Bubbles() {
    constexpr int kGroups = 7;
    std::vector<double> out(kLength, 0.0);
    Random random(53);
    for (int group = 0; group < kGroups; ++group) {
        int at = int((group + random.Range(0.1, 0.9)) * kLength / kGroups);
        int count = 1 + int(random.Range(0, 4));
        for (int i = 0; i < count; ++i) {
            AddBubble(out, at, random.Range(520, 1300), random.Range(0.05, 0.12),
                      random.Range(0.5, 1.0));
            at += int(random.Range(0.06, 0.25) * kRate);
        }
    }
    return out;
}

double Rms(const std::vector<double>& s, int from, int to) {
    double sum = 0;
    for (int i = from; i < to; ++i) {
        sum += s[(i + kLength) % kLength] * s[(i + kLength) % kLength];
    }
    return std::sqrt(sum / (to - from));
}

double Db(double x) {
    return 20 * std::log10(std::max(x, 1e-12));
}

void Put(FILE* f, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        std::fputc(int((v >> (8 * i)) & 0xFF), f);
    }
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    const std::uint32_t bytes = std::uint32_t(samples.size() * 2);
    std::fputs("RIFF", f);
    Put(f, 36 + bytes, 4);
    std::fputs("WAVEfmt ", f);
    Put(f, 16, 4);
    Put(f, 1, 2);  // PCM
    Put(f, 1, 2);  // mono
    Put(f, kRate, 4);
    Put(f, kRate * 2, 4);
    Put(f, 2, 2);
    Put(f, 16, 2);
    std::fputs("data", f);
    Put(f, bytes, 4);
    for (std::int16_t s : samples) {
        Put(f, std::uint16_t(s), 2);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ambience OUTPUT.wav\n");
        return 2;
    }
    const std::vector<double> bed = Bed(), wash = Wash(), shimmer = Shimmer(), bubbles = Bubbles();
    // Each layer's share of the level: the bed carries it, the rest colours it.
    constexpr double kBubbleGain = 2.0;
    const double bedGain = 1.0 / Rms(bed, 0, kLength), washGain = 0.55 / Rms(wash, 0, kLength),
                 shimmerGain = 0.06 / Rms(shimmer, 0, kLength);
    std::vector<double> mix(kLength);
    for (int n = 0; n < kLength; ++n) {
        mix[n] = bedGain * bed[n] + washGain * wash[n] + shimmerGain * shimmer[n] +
                 kBubbleGain * bubbles[n];
    }
    const double scale = kTargetRms / Rms(mix, 0, kLength);
    double bubblePeak = 0;
    for (double b : bubbles) {
        bubblePeak = std::max(bubblePeak, std::abs(kBubbleGain * b * scale));
    }
    std::vector<std::int16_t> samples(kLength);
    for (int n = 0; n < kLength; ++n) {
        samples[n] = std::int16_t(std::lround(std::clamp(mix[n] * scale, -1.0, 1.0) * 32767));
    }
    if (!WriteWave(argv[1], samples)) {
        std::fprintf(stderr, "make_ambience: cannot write %s\n", argv[1]);
        return 1;
    }

    // The figures to judge it by: level, peak, and the join against an ordinary sample step.
    std::vector<double> out(kLength);
    std::vector<int> steps(kLength);
    int peak = 0;
    for (int n = 0; n < kLength; ++n) {
        out[n] = samples[n] / 32768.0;
        peak = std::max(peak, std::abs(int(samples[n])));
        steps[n] = std::abs(samples[(n + 1) % kLength] - samples[n]);
    }
    const int join = steps[kLength - 1];
    std::sort(steps.begin(), steps.end());
    std::printf("%d s, %d samples at %d Hz\n", kSeconds, kLength, kRate);
    std::printf("RMS %.1f dBFS, peak %.1f dBFS\n", Db(Rms(out, 0, kLength)), Db(peak / 32768.0));
    std::printf("bubbles peak at %.1f dBFS\n", Db(bubblePeak));
    std::printf("step at the join %d; steps median %d, 99th percentile %d, largest %d\n", join,
                steps[kLength / 2], steps[kLength * 99 / 100], steps.back());
    std::printf("RMS over the 0.5 s before the join %.1f dBFS, after it %.1f dBFS\n",
                Db(Rms(out, -kRate / 2, 0)), Db(Rms(out, 0, kRate / 2)));
    return 0;
}
