// Where the fish spend their time. Runs the program's own fish rules with no display: the
// start-up placement on the sand floor, then a number of frames of the fish pass, and reports
// for each screen size and fish count
//   - per role (leader, followers, free swimmers) the share of fish-frames whose centre lies
//     inside the view frustum of the fixed camera, and the mean number of fish on screen in the
//     first and in the last ten seconds;
//   - how often each wall rule matched, and how long fish stay pressed to each wall;
//   - with --maps, coarse maps of the positions seen from above (x by z) and from the side
//     (y by z), in per cent of all fish-frames.
// Every configuration is run twice: with fish held at the side, back and front walls as the
// program does, and without that hold, so the wall rules act alone.
//
// Usage: fish_map [--screen WxH]... [--fish N]... [--frames N] [--runs N] [--maps]
// Defaults: screens 1680x1050, 800x600 and 1080x1920; 21 and 50 fish; 11520 frames (three
// minutes at 64 frames a second); 4 runs, run r drawing r numbers more before the placement.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fish/fish_frame.h"
#include "fish/fish_placement.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"
#include "platform/random.h"
#include "scene/sand_floor.h"
#include "view/screen_tables.h"

namespace reef {
namespace {

constexpr int kFramesPerSecond = 64;
constexpr int kWindowFrames = 10 * kFramesPerSecond;

constexpr int kRoles = 3;
const char* const kRoleNames[kRoles] = {"leader", "followers", "free"};

int RoleOf(int slot) {
    return slot == 0 ? 0 : slot <= 9 ? 1 : 2;
}

// Wall rules in the order the move applies them, then the hold of the side and depth walls.
struct RuleName {
    unsigned bit;
    const char* name;
};
constexpr RuleName kRules[] = {
    {kRuleXMin, "x min reverse"}, {kRuleXMax, "x max reverse"},   {kRuleNearBack, "near back"},
    {kRuleBack, "back jitter"},   {kRuleNearFront, "near front"}, {kRuleFront, "front jitter"},
    {kRuleTop, "top mirror"},     {kRuleBottom, "bottom mirror"}, {kRuleHoldX, "hold x"},
    {kRuleHoldZ, "hold z"},
};
constexpr int kRuleCount = sizeof(kRules) / sizeof(kRules[0]);

// A fish counts as pressed to a wall while its centre lies this close to the wall or beyond.
// The side walls put a fish back 2 inside, so they get that much more.
constexpr float kNearWall = 0.5f;
constexpr float kNearSideWall = 2.5f;
enum Wall { kXMinWall, kXMaxWall, kBackWall, kFrontWall, kTopWall, kBottomWall, kWalls };
const char* const kWallNames[kWalls] = {"x min", "x max", "back", "front", "top", "bottom"};

std::array<bool, kWalls> WallsPressed(const Fish& fish) {
    const Vec3& p = fish.position;
    const FishBounds& b = fish.bounds;
    return {p.x <= b.xMin + kNearSideWall, p.x >= b.xMax - kNearSideWall,
            p.z <= b.Back() + kNearWall,   p.z >= b.front - kNearWall,
            p.y >= b.top - kNearWall,      p.y <= b.bottom + kNearWall};
}

// Where a point lies against the view of the camera. A point out of view can be beside it and
// above or below it at once.
struct ViewPlace {
    bool inside, beside, above, below, outOfDepth;
};

ViewPlace PlaceInView(const Frustum& f, const Vec3& p) {
    const double depth = kCameraEyeZ - p.z;
    if (depth < f.zNear || depth > f.zFar) {
        return {false, false, false, false, true};
    }
    const double x = p.x * f.zNear / depth;
    const double y = p.y * f.zNear / depth;
    const bool beside = x < f.left || x > f.right;
    const bool above = y > f.top;
    const bool below = y < f.bottom;
    return {!beside && !above && !below, beside, above, below, false};
}

// A coarse histogram over one axis of the tank: `inside` bins between lo and hi, one more on
// each side for what lies beyond the walls.
struct Axis {
    float lo, hi;
    int inside;
    int Bins() const { return inside + 2; }
    int Bin(float v) const {
        if (v < lo) {
            return 0;
        }
        if (v > hi) {
            return inside + 1;
        }
        const int bin = static_cast<int>((v - lo) / (hi - lo) * static_cast<float>(inside));
        return 1 + std::min(bin, inside - 1);
    }
    float Centre(int bin) const {
        return lo + (hi - lo) * (static_cast<float>(bin) - 0.5f) / static_cast<float>(inside);
    }
};

struct Stats {
    long roleFrames[kRoles] = {};
    long roleVisible[kRoles] = {};
    long beside = 0, above = 0, below = 0, outOfDepth = 0;
    long firstWindowVisible = 0, firstWindowFrames = 0;
    long lastWindowVisible = 0, lastWindowFrames = 0;
    long fishFrames = 0;
    long ruleCount[kRuleCount] = {};
    long pressedFrames[kWalls] = {};
    long pressedRuns[kWalls] = {};
    long longestRun[kWalls] = {};
    std::vector<long> mapXZ, mapYZ;  // [z][x] and [y][z]
};

struct Config {
    int width, height, fishCount;
    bool hold;
};

class Measurement {
public:
    Measurement(const Config& config, int frames)
        : m_config(config),
          m_frames(frames),
          m_box(TankBoxForScreen(config.width, config.height)),
          m_frustum(FrustumForScreen(config.width, config.height)) {
        Fish probe;
        probe.SetTankBounds(m_box);
        m_x = {probe.bounds.xMin, probe.bounds.xMax, 9};
        m_y = {probe.bounds.bottom, probe.bounds.top, 6};
        m_z = {probe.bounds.Back(), probe.bounds.front, 8};
        m_stats.mapXZ.assign(static_cast<std::size_t>(m_z.Bins() * m_x.Bins()), 0);
        m_stats.mapYZ.assign(static_cast<std::size_t>(m_y.Bins() * m_z.Bins()), 0);
    }

    // One run from start-up: the generator starts at 1 as in the program, the tank's records
    // draw their start values, then `skip` numbers are drawn before the placement.
    void Run(int skip) {
        ProcessRandom().SetState(1);
        auto tank = std::make_unique<FishTank>();
        for (int i = 0; i < skip; ++i) {
            Rand();
        }
        auto floor = std::make_unique<SandFloorGrid>();
        floor->Build(static_cast<int>(m_box.maxX - m_box.minX), static_cast<int>(-m_box.minZ), 1);
        PlaceFish(*tank, m_box, SandFloorHeights(*floor));
        for (Fish& fish : tank->fish) {
            fish.bounds.holdAtWalls = m_config.hold;
        }

        int counts[kFishKinds] = {m_config.fishCount};
        const SlotAssignment slots = AssignSlots(counts, kFishKinds);
        const int n = slots.fishCount;
        std::vector<std::array<long, kWalls>> run(static_cast<std::size_t>(n));
        for (int frame = 0; frame < m_frames; ++frame) {
            SimulateFrame(*tank, slots);
            for (int slot = 0; slot < n; ++slot) {
                Record(tank->fish[slot], slot, frame, run[static_cast<std::size_t>(slot)]);
            }
        }
        for (const auto& fishRuns : run) {
            for (int w = 0; w < kWalls; ++w) {
                EndRun(w, fishRuns[w]);
            }
        }
    }

    const Stats& Result() const { return m_stats; }
    const Axis& X() const { return m_x; }
    const Axis& Y() const { return m_y; }
    const Axis& Z() const { return m_z; }
    const Frustum& View() const { return m_frustum; }

private:
    void Record(const Fish& fish, int slot, int frame, std::array<long, kWalls>& run) {
        Stats& s = m_stats;
        const ViewPlace place = PlaceInView(m_frustum, fish.position);
        const bool visible = place.inside;
        s.beside += place.beside;
        s.above += place.above;
        s.below += place.below;
        s.outOfDepth += place.outOfDepth;
        const int role = RoleOf(slot);
        ++s.roleFrames[role];
        s.roleVisible[role] += visible;
        if (frame < kWindowFrames) {
            s.firstWindowVisible += visible;
            s.firstWindowFrames += slot == 0;
        }
        if (frame >= m_frames - kWindowFrames) {
            s.lastWindowVisible += visible;
            s.lastWindowFrames += slot == 0;
        }
        ++s.fishFrames;
        for (int r = 0; r < kRuleCount; ++r) {
            s.ruleCount[r] += (fish.wallRules & kRules[r].bit) != 0;
        }
        const std::array<bool, kWalls> pressed = WallsPressed(fish);
        for (int w = 0; w < kWalls; ++w) {
            if (pressed[w]) {
                ++s.pressedFrames[w];
                ++run[w];
            } else {
                EndRun(w, run[w]);
                run[w] = 0;
            }
        }
        const Vec3& p = fish.position;
        ++s.mapXZ[static_cast<std::size_t>(m_z.Bin(p.z) * m_x.Bins() + m_x.Bin(p.x))];
        ++s.mapYZ[static_cast<std::size_t>(m_y.Bin(p.y) * m_z.Bins() + m_z.Bin(p.z))];
    }

    void EndRun(int wall, long length) {
        if (length > 0) {
            ++m_stats.pressedRuns[wall];
            m_stats.longestRun[wall] = std::max(m_stats.longestRun[wall], length);
        }
    }

    Config m_config;
    int m_frames;
    TankBox m_box;
    Frustum m_frustum;
    Axis m_x{}, m_y{}, m_z{};
    Stats m_stats;
};

double Share(long part, long whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::string ConfigName(const Config& c) {
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d %2d fish, hold %s", c.width, c.height, c.fishCount,
                  c.hold ? "on " : "off");
    return text;
}

void PrintVisible(const Config& c, const Stats& s) {
    std::printf("%-30s", ConfigName(c).c_str());
    for (int role = 0; role < kRoles; ++role) {
        if (s.roleFrames[role] == 0) {
            std::printf(" %9s", "-");
        } else {
            std::printf(" %9.2f", Share(s.roleVisible[role], s.roleFrames[role]));
        }
    }
    const long all = s.roleVisible[0] + s.roleVisible[1] + s.roleVisible[2];
    std::printf(" %6.2f %7.1f %7.1f\n", Share(all, s.fishFrames),
                Share(s.firstWindowVisible, s.firstWindowFrames),
                Share(s.lastWindowVisible, s.lastWindowFrames));
}

void PrintWalls(const Config& c, const Stats& s) {
    std::printf(
        "%s\n  out of view (share of fish-frames): beside %.2f, above %.2f, below %.2f, "
        "too near or far %.2f\n",
        ConfigName(c).c_str(), Share(s.beside, s.fishFrames), Share(s.above, s.fishFrames),
        Share(s.below, s.fishFrames), Share(s.outOfDepth, s.fishFrames));
    std::printf("  rules matched per 1000 fish-frames:");
    for (int r = 0; r < kRuleCount; ++r) {
        std::printf("%s %s %.1f", r == 0 ? "" : ",", kRules[r].name,
                    1000.0 * Share(s.ruleCount[r], s.fishFrames));
    }
    std::printf("\n  pressed to a wall (share of fish-frames, mean / longest stay in s):\n");
    for (int w = 0; w < kWalls; ++w) {
        const double mean = Share(s.pressedFrames[w], s.pressedRuns[w]) / kFramesPerSecond;
        std::printf("    %-7s %5.1f%%  %6.1f / %6.1f\n", kWallNames[w],
                    100.0 * Share(s.pressedFrames[w], s.fishFrames), mean,
                    static_cast<double>(s.longestRun[w]) / kFramesPerSecond);
    }
}

void PrintAxisLabel(const Axis& a, int bin) {
    if (bin == 0) {
        std::printf(" %7s", "below");
    } else if (bin == a.inside + 1) {
        std::printf(" %7s", "above");
    } else {
        std::printf(" %7.1f", a.Centre(bin));
    }
}

void PrintMaps(const Measurement& m, const Config& c) {
    const Stats& s = m.Result();
    const Axis& x = m.X();
    const Axis& y = m.Y();
    const Axis& z = m.Z();
    const double total = static_cast<double>(s.fishFrames);
    std::printf(
        "%s\n  seen from above, %% of fish-frames (rows z from the back, columns x; the "
        "last column is the half-width the camera sees at that depth):\n   z \\ x ",
        ConfigName(c).c_str());
    for (int col = 0; col < x.Bins(); ++col) {
        PrintAxisLabel(x, col);
    }
    std::printf("   seen |x|\n");
    for (int row = 0; row < z.Bins(); ++row) {
        PrintAxisLabel(z, row);
        for (int col = 0; col < x.Bins(); ++col) {
            const long n = s.mapXZ[static_cast<std::size_t>(row * x.Bins() + col)];
            std::printf(" %7.1f", 100.0 * static_cast<double>(n) / total);
        }
        if (row > 0 && row <= z.inside) {
            const double depth = kCameraEyeZ - z.Centre(row);
            std::printf("   %6.1f", m.View().right * depth / m.View().zNear);
        }
        std::printf("\n");
    }
    std::printf(
        "  seen from the side, %% of fish-frames (rows y from the top, columns z from "
        "the back; the last row is the half-height the camera sees):\n   y \\ z ");
    for (int col = 0; col < z.Bins(); ++col) {
        PrintAxisLabel(z, col);
    }
    std::printf("\n");
    for (int row = y.Bins() - 1; row >= 0; --row) {
        PrintAxisLabel(y, row);
        for (int col = 0; col < z.Bins(); ++col) {
            const long n = s.mapYZ[static_cast<std::size_t>(row * z.Bins() + col)];
            std::printf(" %7.1f", 100.0 * static_cast<double>(n) / total);
        }
        std::printf("\n");
    }
    std::printf(" seen |y| %7s", "");
    for (int col = 1; col <= z.inside; ++col) {
        std::printf(" %7.1f", m.View().top * (kCameraEyeZ - z.Centre(col)) / m.View().zNear);
    }
    std::printf("\n");
}

struct Options {
    std::vector<std::array<int, 2>> screens;
    std::vector<int> counts;
    int frames = 180 * kFramesPerSecond;
    int runs = 4;
    bool maps = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--screen") == 0 && hasValue) {
            int w = 0, h = 0;
            if (std::sscanf(argv[++i], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0) {
                return false;
            }
            options.screens.push_back({w, h});
        } else if (std::strcmp(argv[i], "--fish") == 0 && hasValue) {
            const int n = std::atoi(argv[++i]);
            if (n < 1 || n > kFishSlots) {
                return false;
            }
            options.counts.push_back(n);
        } else if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
            options.frames = std::atoi(argv[++i]);
            if (options.frames < 1) {
                return false;
            }
        } else if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            options.runs = std::atoi(argv[++i]);
            if (options.runs < 1) {
                return false;
            }
        } else if (std::strcmp(argv[i], "--maps") == 0) {
            options.maps = true;
        } else {
            return false;
        }
    }
    if (options.screens.empty()) {
        options.screens = {{1680, 1050}, {800, 600}, {1080, 1920}};
    }
    if (options.counts.empty()) {
        options.counts = {21, 50};
    }
    return true;
}

}  // namespace
}  // namespace reef

int main(int argc, char** argv) {
    using namespace reef;
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: fish_map [--screen WxH]... [--fish N]... [--frames N] [--runs N] "
                     "[--maps]\n");
        return 2;
    }
    std::vector<Config> configs;
    for (const auto& screen : options.screens) {
        for (int count : options.counts) {
            for (bool hold : {true, false}) {
                configs.push_back({screen[0], screen[1], count, hold});
            }
        }
    }
    std::vector<std::unique_ptr<Measurement>> results;
    for (const Config& config : configs) {
        auto m = std::make_unique<Measurement>(config, options.frames);
        for (int r = 0; r < options.runs; ++r) {
            m->Run(r);
        }
        results.push_back(std::move(m));
    }

    std::printf("%d frames (%.0f s at %d a second), %d runs each\n\n", options.frames,
                static_cast<double>(options.frames) / kFramesPerSecond, kFramesPerSecond,
                options.runs);
    std::printf("Share of fish-frames in view; fish on screen in the first and last 10 s\n");
    std::printf("%-30s %9s %9s %9s %6s %7s %7s\n", "", kRoleNames[0], kRoleNames[1], kRoleNames[2],
                "all", "first", "last");
    for (std::size_t i = 0; i < configs.size(); ++i) {
        PrintVisible(configs[i], results[i]->Result());
    }
    std::printf("\n");
    for (std::size_t i = 0; i < configs.size(); ++i) {
        PrintWalls(configs[i], results[i]->Result());
    }
    if (options.maps) {
        for (std::size_t i = 0; i < configs.size(); ++i) {
            std::printf("\n");
            PrintMaps(*results[i], configs[i]);
        }
    }
    return 0;
}
