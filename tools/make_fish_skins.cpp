// Paints the fifteen fish skins: 64 x 64, 24-bit bitmaps, one per fish kind.
//
//   make_fish_skins OUTPUT_FOLDER     writes OUTPUT_FOLDER/fish0.bmp .. fish14.bmp
//
// The picture follows the model's texture layout (fish_skin_layout.h): the trunk as a side view
// with the head on the left, the fins in the strips around it and the tail fin on the right.
// Each kind is a base colouring (back, flank, belly, fins) plus a pattern of its own.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fish_skin_layout.h"

namespace {

namespace skin = reef::skin;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb Hex(unsigned v) {
    return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Shade(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
double Smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}
// A repeatable hash of a pixel, 0..1.
double Hash(int x, int y, int seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 static_cast<unsigned>(seed) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
// 1 inside a soft ellipse around (cx, cy) with radii rx, ry (trunk coordinates).
double Blob(double u, double v, double cx, double cy, double rx, double ry) {
    double d = std::hypot((u - cx) / rx, (v - cy) / ry);
    return 1.0 - Smooth(0.75, 1.0, d);
}

// Trunk coordinates: u from the snout (0) to the tail end (1); v from the back ridge (0) over
// the flank (0.5) to the belly ridge (1).
struct Look {
    Rgb back, flank, belly;
    Rgb finRoot, finEdge;
    Rgb iris = Hex(0xd8c060);
    // Changes the base colour of the trunk at (u, v).
    std::function<Rgb(Rgb base, double u, double v, int px, int py)> pattern;
    // Changes a fin's colour; `out` is 0 at the root and 1 at the edge, `along` 0..1 along it.
    std::function<Rgb(Rgb base, double out, double along)> finPattern;
};

Look Colours(Rgb back, Rgb flank, Rgb belly, Rgb finRoot, Rgb finEdge) {
    Look look;
    look.back = back;
    look.flank = flank;
    look.belly = belly;
    look.finRoot = finRoot;
    look.finEdge = finEdge;
    return look;
}

Rgb BaseTrunk(const Look& look, double v) {
    Rgb c = v < 0.5 ? Mix(look.back, look.flank, Smooth(0.05, 0.5, v))
                    : Mix(look.flank, look.belly, Smooth(0.5, 0.85, v));
    return c;
}

std::vector<Look> Looks() {
    std::vector<Look> k(15);
    // 0: neon stripe: dark olive back, glowing cyan line, red rear belly.
    k[0] = Colours(Hex(0x2c3a30), Hex(0x8aa0a8), Hex(0xe8ecf0), Hex(0xb0c8d0), Hex(0xe0eef4));
    k[0].pattern = [](Rgb c, double u, double v, int, int) {
        double line = Blob(0, v, 0, 0.42, 1, 0.07) * Smooth(0.12, 0.2, u) * (1 - Smooth(0.9, 1, u));
        c = Mix(c, Hex(0x20e8ff), line);
        double red = Smooth(0.5, 0.56, v) * Smooth(0.45, 0.55, u) * (1 - Smooth(0.85, 0.95, v));
        return Mix(c, Hex(0xe01828), red * 0.95);
    };
    // 1: gold: orange-gold, pale belly, orange fins.
    k[1] = Colours(Hex(0xd06010), Hex(0xf0a020), Hex(0xfff0c0), Hex(0xf08020), Hex(0xffd080));
    k[1].pattern = [](Rgb c, double, double, int px, int py) {
        return Shade(c, 0.92 + 0.12 * Hash(px / 2, py / 2, 1));
    };
    // 2: clown: orange with three white bands edged in black.
    k[2] = Colours(Hex(0xe05000), Hex(0xff7010), Hex(0xff9a40), Hex(0xff7010), Hex(0x101010));
    k[2].pattern = [](Rgb c, double u, double v, int, int) {
        const double centres[3] = {0.22, 0.5, 0.84};
        const double widths[3] = {0.05, 0.07, 0.035};
        for (int i = 0; i < 3; ++i) {
            double bend = centres[i] + 0.04 * std::sin(v * kPi);
            double d = std::abs(u - bend);
            if (d < widths[i]) {
                c = Hex(0xffffff);
            } else if (d < widths[i] + 0.025) {
                c = Hex(0x101010);
            }
        }
        return c;
    };
    // 3: zebra: silver with dark blue lengthwise stripes.
    k[3] = Colours(Hex(0x607080), Hex(0xd8dce8), Hex(0xf4f4f8), Hex(0xc8d0e0), Hex(0xf0f0ff));
    k[3].pattern = [](Rgb c, double u, double v, int, int) {
        double s = std::sin((v * 5.5 + 0.05 * std::sin(u * 8)) * 2 * kPi);
        return Mix(c, Hex(0x1a2a80),
                   Smooth(0.25, 0.55, s) * Smooth(0.1, 0.2, u) * (1 - Smooth(0.85, 1.0, v)));
    };
    // 4: tiger: golden yellow with four black bars, red-tipped fins.
    k[4] = Colours(Hex(0xb08818), Hex(0xf0d040), Hex(0xfff4c0), Hex(0xf0d060), Hex(0xe02010));
    k[4].pattern = [](Rgb c, double u, double v, int, int) {
        const double bars[4] = {0.1, 0.35, 0.6, 0.86};
        for (double b : bars) {
            double d = std::abs(u - b - 0.05 * (v - 0.5));
            c = Mix(c, Hex(0x141008), 1 - Smooth(0.035, 0.05, d));
        }
        return c;
    };
    // 5: discus: rust red with wavy turquoise lines.
    k[5] = Colours(Hex(0x802010), Hex(0xc04818), Hex(0xe08040), Hex(0xc04818), Hex(0x40e0e0));
    k[5].pattern = [](Rgb c, double u, double v, int, int) {
        double s = std::sin((v * 6 + 0.35 * std::sin(u * 14)) * 2 * kPi);
        return Mix(c, Hex(0x30d8e0), Smooth(0.55, 0.85, s) * Smooth(0.08, 0.16, u));
    };
    // 6: leopard: sand yellow with dark rosettes.
    k[6] = Colours(Hex(0x908050), Hex(0xe8d090), Hex(0xfff8e0), Hex(0xe0c890), Hex(0x806030));
    k[6].pattern = [](Rgb c, double, double, int px, int py) {
        int cx = px / 5, cy = py / 5;
        double ox = 5 * cx + 1.5 + 2 * Hash(cx, cy, 6), oy = 5 * cy + 1.5 + 2 * Hash(cx, cy, 7);
        double d = std::hypot(px - ox, py - oy);
        return Mix(c, Hex(0x3a2410), (1 - Smooth(1.2, 1.9, d)) * (Hash(cx, cy, 8) > 0.15));
    };
    // 7: rainbow: blue head to yellow middle to red tail.
    k[7] = Colours(Hex(0x303060), Hex(0x8080c0), Hex(0xf0f0f0), Hex(0xf0a030), Hex(0xf04040));
    k[7].pattern = [](Rgb c, double u, double v, int, int) {
        Rgb along = u < 0.5 ? Mix(Hex(0x2060f0), Hex(0xf0e020), u * 2)
                            : Mix(Hex(0xf0e020), Hex(0xf02020), (u - 0.5) * 2);
        return Mix(along, c, 0.25 + 0.6 * Smooth(0.7, 1.0, v));
    };
    // 8: emerald: deep green with pale green dots and a purple belly.
    k[8] = Colours(Hex(0x0a4020), Hex(0x20a050), Hex(0xc090d0), Hex(0x40b060), Hex(0xe0f080));
    k[8].pattern = [](Rgb c, double, double v, int px, int py) {
        bool dot = (px % 4 == 1) && ((py + 2 * ((px / 4) % 2)) % 4 == 1) && v < 0.7;
        return dot ? Mix(c, Hex(0xd0ffb0), 0.8) : c;
    };
    // 9: polka: black with round white spots.
    k[9] = Colours(Hex(0x080808), Hex(0x202024), Hex(0x505058), Hex(0x202024), Hex(0x909098));
    k[9].pattern = [](Rgb c, double u, double, int px, int py) {
        int cx = (px + 3 * ((py / 7) % 2)) / 6, cy = py / 7;
        double ox = 6 * cx - 3 * ((py / 7) % 2) + 3, oy = 7 * cy + 3.5;
        double d = std::hypot(px - ox, (py - oy) * 0.7);
        return Mix(c, Hex(0xffffff), (1 - Smooth(1.3, 1.9, d)) * Smooth(0.1, 0.16, u));
    };
    // 10: royal: purple back fading into pink, yellow fins.
    k[10] = Colours(Hex(0x401890), Hex(0xa040c0), Hex(0xff90c0), Hex(0xffd020), Hex(0xffff80));
    k[10].pattern = [](Rgb c, double, double, int, int) { return c; };
    // 11: silver with a black spot before the tail and black-tipped fins.
    k[11] = Colours(Hex(0x50607a), Hex(0xc8d0d8), Hex(0xf8f8f8), Hex(0xd0d8e0), Hex(0x101010));
    k[11].pattern = [](Rgb c, double u, double v, int, int) {
        return Mix(c, Hex(0x080808), Blob(u, v, 0.86, 0.45, 0.08, 0.18));
    };
    // 12: ghost: pale lavender glass with a dark spine and ribs.
    k[12] = Colours(Hex(0x9890b0), Hex(0xd8d4e8), Hex(0xf0eef8), Hex(0xe0e0f0), Hex(0x8080a0));
    k[12].pattern = [](Rgb c, double u, double v, int, int) {
        double spine = 1 - Smooth(0.02, 0.045, std::abs(v - 0.45));
        double rib = (1 - Smooth(0.15, 0.35, std::abs(std::sin(u * 40)))) * Smooth(0.2, 0.3, u) *
                     (1 - Smooth(0.55, 0.75, std::abs(v - 0.45) * 2));
        return Mix(c, Hex(0x403858), std::max(spine * Smooth(0.18, 0.25, u), rib * 0.6));
    };
    // 13: betta: crimson body with blue scales, crimson to blue fins.
    k[13] = Colours(Hex(0x600818), Hex(0xc01030), Hex(0xe04050), Hex(0xc01030), Hex(0x2040ff));
    k[13].pattern = [](Rgb c, double u, double, int px, int py) {
        int row = py / 3;
        double ox = 4 * ((px + 2 * (row % 2)) / 4) - 2 * (row % 2) + 2;
        double d = std::hypot(px - ox, (py - 3 * row - 1.5) * 1.2);
        return Mix(c, Hex(0x3050e0), Smooth(1.2, 2.1, d) * 0.55 * Smooth(0.15, 0.25, u));
    };
    // 14: chevron: lemon yellow with black arrow marks pointing forward.
    k[14] = Colours(Hex(0x706000), Hex(0xf8e020), Hex(0xfffce0), Hex(0xf8e020), Hex(0x202020));
    k[14].pattern = [](Rgb c, double u, double v, int, int) {
        double s = std::sin((u * 6 - 0.9 * std::abs(v - 0.45)) * 2 * kPi);
        return Mix(c, Hex(0x141414),
                   Smooth(0.55, 0.8, s) * Smooth(0.15, 0.22, u) * (1 - Smooth(0.75, 0.9, v)));
    };

    // Fin patterns: rays and a coloured edge, with a few kinds of their own.
    auto rays = [](Rgb c, double out, double along) {
        double ray = 0.85 + 0.15 * std::cos(along * 2 * kPi * 7);
        return Shade(c, ray * (1.0 - 0.1 * out));
    };
    for (int i = 0; i < 15; ++i) {
        k[i].finPattern = rays;
    }
    k[9].finPattern = [](Rgb c, double out, double along) {
        bool spot = std::fmod(along * 9 + out * 3, 1.0) < 0.3 && std::fmod(out * 4, 1.0) < 0.4;
        return spot ? Hex(0xffffff) : c;
    };
    k[12].finPattern = [](Rgb c, double, double along) {
        return Shade(c, 0.8 + 0.2 * std::cos(along * 2 * kPi * 9));
    };
    return k;
}

using Canvas = std::vector<Rgb>;

void PaintTrunk(Canvas& img, const Look& look, int kind) {
    for (int py = static_cast<int>(skin::kTrunkTop); py < skin::kTrunkBottom; ++py) {
        for (int px = static_cast<int>(skin::kTrunkLeft); px < skin::kTrunkRight; ++px) {
            double u = (px + 0.5 - skin::kTrunkLeft) / (skin::kTrunkRight - skin::kTrunkLeft);
            double v = (py + 0.5 - skin::kTrunkTop) / (skin::kTrunkBottom - skin::kTrunkTop);
            Rgb c = look.pattern(BaseTrunk(look, v), u, v, px, py);
            // A soft shimmer of scales, stronger on the upper flank.
            c = Shade(c, 0.94 + 0.1 * Hash(px, py, kind) * (1 - v));
            // The gill slit: a soft dark arc behind the head, about a pixel wide.
            double gill = std::abs(u - (0.2 + 0.03 * std::cos((v - 0.5) * kPi))) * 48.0;
            double along = Smooth(0.2, 0.3, v) * (1 - Smooth(0.75, 0.85, v));
            c = Shade(c, 1.0 - 0.4 * (1 - Smooth(0.4, 1.1, gill)) * along);
            img[py * skin::kSize + px] = c;
        }
    }
    // The eye: pale ring, coloured iris, black pupil with a glint. Stretched across the trunk
    // rows because the flank's rows are squeezed in the side view.
    const double ex = 4.3, ey = 22.5;
    for (int py = 14; py < 32; ++py) {
        for (int px = 0; px < 10; ++px) {
            double d = std::hypot((px + 0.5 - ex) / 2.6, (py + 0.5 - ey) / 4.6);
            Rgb& c = img[py * skin::kSize + px];
            if (d < 1.0) {
                c = Mix(Hex(0xf0f0e8), c, Smooth(0.85, 1.0, d));
            }
            if (d < 0.82) {
                c = Mix(look.iris, Hex(0xf0f0e8), Smooth(0.6, 0.82, d));
            }
            if (d < 0.52) {
                c = Hex(0x050505);
            }
            if (std::hypot((px + 0.5 - ex + 0.8) / 1.0, (py + 0.5 - ey + 1.4) / 1.4) < 0.8) {
                c = Hex(0xffffff);
            }
        }
    }
}

// A fin strip: rows from `rootRow` to `edgeRow`, columns x0..x1.
void PaintFin(Canvas& img, const Look& look, double x0, double x1, double rootRow, double edgeRow) {
    int r0 = static_cast<int>(std::min(rootRow, edgeRow));
    int r1 = static_cast<int>(std::max(rootRow, edgeRow));
    for (int py = r0; py < r1; ++py) {
        for (int px = static_cast<int>(x0); px < x1; ++px) {
            double out = std::abs(py + 0.5 - rootRow) / std::abs(edgeRow - rootRow);
            double along = (px + 0.5 - x0) / (x1 - x0);
            Rgb c = Mix(look.finRoot, look.finEdge, Smooth(0.35, 1.0, out));
            img[py * skin::kSize + px] = look.finPattern(c, out, along);
        }
    }
}

void PaintTail(Canvas& img, const Look& look) {
    for (int py = 0; py < skin::kSize; ++py) {
        for (int px = static_cast<int>(skin::kTailLeft); px < skin::kTailRight; ++px) {
            double out = (px + 0.5 - skin::kTailLeft) / (skin::kTailRight - skin::kTailLeft);
            double along = (py + 0.5) / skin::kSize;
            Rgb c = Mix(look.finRoot, look.finEdge, Smooth(0.3, 1.0, out));
            img[py * skin::kSize + px] = look.finPattern(c, out, along);
        }
    }
}

bool WriteBmp(const std::string& path, const Canvas& img) {
    const int n = skin::kSize;
    const int rowBytes = n * 3;  // 192, already a multiple of 4
    const std::uint32_t imageBytes = rowBytes * n;
    std::vector<std::uint8_t> bytes(54, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + imageBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, n);
    put32(22, n);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, imageBytes);
    put32(38, 2835);
    put32(42, 2835);
    // Rows bottom-up, blue-green-red.
    for (int row = n - 1; row >= 0; --row) {
        for (int x = 0; x < n; ++x) {
            const Rgb& c = img[row * n + x];
            for (double channel : {c.b, c.g, c.r}) {
                bytes.push_back(
                    static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255)));
            }
        }
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fish_skins OUTPUT_FOLDER\n");
        return 2;
    }
    std::vector<Look> looks = Looks();
    for (int kind = 0; kind < static_cast<int>(looks.size()); ++kind) {
        const Look& look = looks[kind];
        Canvas img(skin::kSize * skin::kSize);
        PaintTrunk(img, look, kind);
        PaintFin(img, look, skin::kDorsalLeft, skin::kDorsalRight, skin::kBackFinBottom,
                 skin::kBackFinTop);
        PaintFin(img, look, skin::kFrontDorsalLeft, skin::kFrontDorsalRight, skin::kBackFinBottom,
                 skin::kBackFinTop);
        PaintFin(img, look, skin::kPectoralLeft, skin::kPectoralRight, skin::kLowFinTop,
                 skin::kLowFinBottom);
        PaintFin(img, look, skin::kPelvicLeft, skin::kPelvicRight, skin::kLowFinTop,
                 skin::kLowFinBottom);
        PaintFin(img, look, skin::kAnalLeft, skin::kAnalRight, skin::kLowFinTop,
                 skin::kLowFinBottom);
        PaintTail(img, look);
        std::string path = std::string(argv[1]) + "/fish" + std::to_string(kind) + ".bmp";
        if (!WriteBmp(path, img)) {
            std::fprintf(stderr, "make_fish_skins: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
