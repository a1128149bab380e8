// Writes the fish model tables (src/fish/fish_model_data.cpp) from a few shape parameters.
//
//   make_fish_model OUTPUT.cpp [name=value ...]
//
// Every length is in model units for a fish of unit size (the drawn fish is three times as
// big). The trunk is a lofted surface: for u from 0 (snout) to 1 (tail end) and an angle a from
// -90 degrees (belly ridge) over the flank to +90 degrees (back ridge), a half-ellipse of
// half-width HalfWidth(u) and of heights TopHeight(u) above and BottomHeight(u) below the body
// axis. The fins are placed on that surface; normals come from the surfaces' tangents.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fish_skin_layout.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Param {
    const char* name;
    double value;
};

// The shape, changeable from the command line as name=value.
Param g_params[] = {
    {"headX", -0.406},         // first point of the belly line
    {"tailX", 0.343},          // twentieth point of the belly line
    {"backTailExtra", 0.017},  // the back line reaches this much further back
    {"axisHeadZ", -0.032},     // body axis height at the snout
    {"axisTailZ", -0.022},     // and at the tail end
    {"topHeight", 0.122},      // back above the axis at the deepest point
    {"bottomHeight", 0.138},   // belly below the axis at the deepest point
    {"halfWidth", 0.084},      // widest half-width
    {"deepestU", 0.32},        // where along the body the fish is deepest, 0..1
    {"widestU", 0.24},         // where it is widest
    {"snoutFraction", 0.26},   // height and width at the snout, as a fraction of the maximum
    {"tailFraction", 0.17},    // the same at the tail end
    {"widthTailFraction", 0.22},
    {"fullness", 0.6},    // < 1 gives a fuller, blunter body
    {"jawReach", 0.018},  // the jaws reach this far in front of the trunk
    {"jawEndX", -0.33},   // the jaws end here
    {"jawScale", 1.05},   // jaws lie this much outside the trunk
    {"dorsalStartX", -0.02},
    {"dorsalEndX", 0.2},
    {"dorsalHeight", 0.072},
    {"frontDorsalStartX", -0.11},
    {"frontDorsalEndX", -0.035},
    {"frontDorsalHeight", 0.05},
    {"analStartX", 0.13},
    {"analEndX", 0.24},
    {"analHeight", 0.055},
    {"pelvicStartX", -0.11},
    {"pelvicEndX", -0.05},
    {"pelvicLength", 0.075},
    {"pectoralX", -0.27},
    {"pectoralLength", 0.095},
    {"tailRootX", 0.25},
    {"tailEdgeX", 0.545},
    {"tailNotch", 0.035},
    {"tailLowZ", -0.205},
    {"tailHighZ", 0.135},
    {"gillX", -0.275},
};

double P(const char* name) {
    for (const Param& p : g_params) {
        if (std::strcmp(p.name, name) == 0) {
            return p.value;
        }
    }
    std::fprintf(stderr, "make_fish_model: no parameter %s\n", name);
    std::exit(2);
}

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Normalised(Vec a) {
    double len = std::sqrt(Dot(a, a));
    return len > 0 ? a * (1.0 / len) : Vec{0, -1, 0};
}
double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// --- The trunk -------------------------------------------------------------------------------

// 0 at the ends' fraction, 1 at `peak`, a smooth hump in between.
double Hump(double u, double peak, double headFraction, double tailFraction) {
    u = std::clamp(u, 0.0, 1.0);
    double g = u < peak ? 0.5 * u / peak : 0.5 + 0.5 * (u - peak) / (1.0 - peak);
    double base = std::pow(std::max(0.0, std::sin(kPi * g)), P("fullness"));
    double end = Lerp(headFraction, tailFraction, u);
    return end + (1.0 - end) * base;
}

double AxisZ(double u) {
    return Lerp(P("axisHeadZ"), P("axisTailZ"), std::clamp(u, 0.0, 1.0));
}
double TopHeight(double u) {
    return P("topHeight") * Hump(u, P("deepestU"), P("snoutFraction"), P("tailFraction"));
}
double BottomHeight(double u) {
    return P("bottomHeight") * Hump(u, P("deepestU"), P("snoutFraction"), P("tailFraction"));
}
double HalfWidth(double u) {
    return P("halfWidth") * Hump(u, P("widestU"), P("snoutFraction"), P("widthTailFraction"));
}
double UOfX(double x) {
    return (x - P("headX")) / (P("tailX") - P("headX"));
}

// A point of the trunk surface on the stored (y <= 0) side; angle in radians.
Vec Trunk(double u, double angle) {
    double x = Lerp(P("headX"), P("tailX"), u) + P("backTailExtra") * u * (angle / kPi + 0.5);
    double h = angle >= 0 ? TopHeight(u) : BottomHeight(u);
    return {x, -HalfWidth(u) * std::cos(angle), AxisZ(u) + h * std::sin(angle)};
}

Vec TrunkNormal(double u, double angle) {
    const double e = 1e-4;
    Vec du = Trunk(u + e, angle) - Trunk(u - e, angle);
    Vec da = Trunk(u, angle + e) - Trunk(u, angle - e);
    Vec n = Normalised(Cross(du, da));
    Vec outward{0, -std::cos(angle), std::sin(angle)};
    return Dot(n, outward) < 0 ? n * -1.0 : n;
}

// The trunk skin is a side view: s along the body, t from the belly ridge up to the back ridge.
void TrunkTexCoord(double u, double angle, float out[2]) {
    double across = angle / kPi + 0.5;
    out[0] = reef::skin::S(Lerp(reef::skin::kTrunkLeft, reef::skin::kTrunkRight, u));
    out[1] = reef::skin::T(Lerp(reef::skin::kTrunkBottom, reef::skin::kTrunkTop, across));
}

// The angle at which the trunk's cross-section at u reaches height z.
double AngleAt(double u, double z) {
    double rel = z - AxisZ(u);
    double h = rel >= 0 ? TopHeight(u) : BottomHeight(u);
    return std::asin(std::clamp(rel / h, -1.0, 1.0));
}

// --- Output ----------------------------------------------------------------------------------

struct Point {
    Vec position;
    Vec normal;
    float tex[2];
};

struct Part {
    const char* name;
    int lines;
    int points;
    std::vector<Point> data;
};

Point FinPoint(Vec position, Vec normal, float s, float t) {
    Point p{position, Normalised(normal), {s, t}};
    return p;
}

// A flat two-line fin: its normal from the root direction and the root-to-edge direction,
// turned toward `facing`.
void AddFlatFin(Part& part, const std::vector<Vec>& root, const std::vector<Vec>& edge, Vec facing,
                float s0, float s1, float rootRow, float edgeRow) {
    const int n = static_cast<int>(root.size());
    for (int line = 0; line < 2; ++line) {
        for (int i = 0; i < n; ++i) {
            Vec along = root[std::min(i + 1, n - 1)] - root[std::max(i - 1, 0)];
            Vec out = edge[i] - root[i];
            Vec normal = Normalised(Cross(along, out));
            if (Dot(normal, facing) < 0) {
                normal = normal * -1.0;
            }
            double a = n > 1 ? static_cast<double>(i) / (n - 1) : 0.0;
            float s = reef::skin::S(static_cast<float>(Lerp(s0, s1, a)));
            float t = reef::skin::T(line == 0 ? rootRow : edgeRow);
            part.data.push_back(FinPoint(line == 0 ? root[i] : edge[i], normal, s, t));
        }
    }
}

Part MakeTrunk() {
    Part part{"kTrunk", 6, 20, {}};
    for (int line = 0; line < 6; ++line) {
        double angle = (-90.0 + 36.0 * line) * kPi / 180.0;
        for (int i = 0; i < 20; ++i) {
            double u = i / 19.0;
            Point p{Trunk(u, angle), TrunkNormal(u, angle), {}};
            TrunkTexCoord(u, angle, p.tex);
            part.data.push_back(p);
        }
    }
    return part;
}

// The jaws wrap the front of the trunk a little outside it and round off in front of it.
Point JawPoint(double x, double angle) {
    double u = std::max(0.0, UOfX(x));
    double tip = 1.0;
    if (x < P("headX")) {
        double k = (P("headX") - x) / P("jawReach");
        tip = std::sqrt(std::max(0.04, 1.0 - k * k));
    }
    double scale = P("jawScale") * tip;
    double h = angle >= 0 ? TopHeight(u) : BottomHeight(u);
    Vec pos{x, -HalfWidth(u) * scale * std::cos(angle), AxisZ(u) + h * scale * std::sin(angle)};
    Vec normal = TrunkNormal(u, angle);
    if (x < P("headX")) {
        normal = Normalised(normal + Vec{-(1.0 - tip) * 2.0, 0, 0});
    }
    Point p{pos, normal, {}};
    TrunkTexCoord(u, angle, p.tex);
    return p;
}

Part MakeJaw(const char* name, int lines, double firstAngle, double lastAngle) {
    Part part{name, lines, 7, {}};
    double x0 = P("headX") - P("jawReach");
    for (int line = 0; line < lines; ++line) {
        double angle = Lerp(firstAngle, lastAngle, static_cast<double>(line) / (lines - 1));
        for (int i = 0; i < 7; ++i) {
            part.data.push_back(JawPoint(Lerp(x0, P("jawEndX"), i / 6.0), angle * kPi / 180.0));
        }
    }
    return part;
}

// The top of the trunk at x, and a height between the axis and it (0 axis, 1 surface).
double BackZ(double x, double depth) {
    double u = UOfX(x);
    return AxisZ(u) + TopHeight(u) * depth;
}
double BellyZ(double x, double depth) {
    double u = UOfX(x);
    return AxisZ(u) - BottomHeight(u) * depth;
}

Part MakeBackFin(const char* name, int points, double x0, double x1, double height,
                 double frontHeight, float s0, float s1) {
    Part part{name, 2, points, {}};
    std::vector<Vec> root, edge;
    for (int i = 0; i < points; ++i) {
        double a = static_cast<double>(i) / (points - 1);
        double x = Lerp(x0, x1, a);
        // Rises steeply from the front, slopes away to nothing at the back.
        double h = height * (frontHeight + (1.0 - frontHeight) * std::sin(kPi * (0.12 + 0.88 * a)));
        h *= std::pow(1.0 - a, 0.35);
        root.push_back({x, 0, BackZ(x, 0.7)});
        edge.push_back({x + 0.35 * height, 0, BackZ(x, 1.0) + h});
    }
    AddFlatFin(part, root, edge, {0, -1, 0}, s0, s1, reef::skin::kBackFinBottom,
               reef::skin::kBackFinTop);
    return part;
}

Part MakeAnalFin() {
    Part part{"kAnalFin", 2, 10, {}};
    std::vector<Vec> root, edge;
    double x0 = P("analStartX"), x1 = P("analEndX"), height = P("analHeight");
    for (int i = 0; i < 10; ++i) {
        double a = i / 9.0;
        double x = Lerp(x0, x1, a);
        double h = height * std::pow(std::sin(kPi * (0.18 + 0.82 * a)), 0.5) * (1.0 - 0.3 * a);
        root.push_back({x, 0, BellyZ(x, 0.3)});
        edge.push_back({x + 0.45 * height, 0, BellyZ(x, 1.0) - h});
    }
    AddFlatFin(part, root, edge, {0, -1, 0}, reef::skin::kAnalLeft, reef::skin::kAnalRight,
               reef::skin::kLowFinTop, reef::skin::kLowFinBottom);
    return part;
}

// Paired fins lie on the stored side (y < 0); their root sits just inside the trunk surface.
Vec InsideFlank(double x, double z, double inset) {
    double u = UOfX(x);
    double angle = AngleAt(u, z);
    Vec p = Trunk(u, angle);
    return {x, p.y * inset, z};
}

Part MakePectoralFin() {
    Part part{"kPectoralFin", 2, 23, {}};
    std::vector<Vec> root, edge;
    const double x0 = P("pectoralX"), length = P("pectoralLength");
    const Vec upFront = Normalised({0.55, -0.75, 0.2});
    const Vec downBack = Normalised({0.95, -0.25, -0.3});
    for (int i = 0; i < 23; ++i) {
        double a = i / 22.0;
        double u = UOfX(x0);
        double z = Lerp(AxisZ(u) - 0.2 * BottomHeight(u), AxisZ(u) - 0.55 * BottomHeight(u), a);
        Vec r = InsideFlank(x0 + 0.025 * a, z, 0.92);
        Vec dir = Normalised(upFront * (1.0 - a) + downBack * a);
        double len = length * (0.7 + 0.3 * std::sin(kPi * a) + 0.1 * a);
        root.push_back(r);
        edge.push_back(r + dir * len);
    }
    AddFlatFin(part, root, edge, {0, -0.6, 1}, reef::skin::kPectoralLeft,
               reef::skin::kPectoralRight, reef::skin::kLowFinTop, reef::skin::kLowFinBottom);
    return part;
}

Part MakePelvicFin() {
    Part part{"kPelvicFin", 2, 9, {}};
    std::vector<Vec> root, edge;
    const double x0 = P("pelvicStartX"), x1 = P("pelvicEndX"), length = P("pelvicLength");
    for (int i = 0; i < 9; ++i) {
        double a = i / 8.0;
        double x = Lerp(x0, x1, a);
        double z = BellyZ(x, 0.8);
        Vec r = InsideFlank(x, z, 0.9);
        double len = length * (1.0 - 0.75 * a);
        root.push_back(r);
        edge.push_back(r + Vec{0.75 * len + 0.02, -0.35 * len, -0.6 * len});
    }
    AddFlatFin(part, root, edge, {0, -1, -0.3}, reef::skin::kPelvicLeft, reef::skin::kPelvicRight,
               reef::skin::kLowFinTop, reef::skin::kLowFinBottom);
    return part;
}

// The tail fin in the mid-plane; the edge has a shallow notch in its middle.
Part MakeTailFin() {
    Part part{"kTailFin", 2, 31, {}};
    const double rootX = P("tailRootX");
    const double uEnd = 1.0;
    const double rootLow = AxisZ(uEnd) - 0.8 * BottomHeight(uEnd);
    const double rootHigh = AxisZ(uEnd) + 0.8 * TopHeight(uEnd);
    for (int line = 0; line < 2; ++line) {
        for (int i = 0; i < 31; ++i) {
            double a = i / 30.0;
            Vec pos = line == 0 ? Vec{rootX, 0, Lerp(rootLow, rootHigh, a)}
                                : Vec{P("tailEdgeX") - P("tailNotch") * std::sin(kPi * a), 0,
                                      Lerp(P("tailLowZ"), P("tailHighZ"), a)};
            float s = reef::skin::S(line == 0 ? reef::skin::kTailLeft : reef::skin::kTailRight);
            float t = reef::skin::T(
                static_cast<float>(Lerp(reef::skin::kTailBottom, reef::skin::kTailTop, a)));
            part.data.push_back(FinPoint(pos, {0, -1, 0}, s, t));
        }
    }
    return part;
}

// A gill cover: a plate along a backward-bowed arc over the cheek, its front line just inside
// the trunk and its rear edge standing a little out of it. It shows the skin beneath it.
Part MakeGillCover() {
    Part part{"kGillCover", 3, 7, {}};
    const double lift[3] = {0.97, 1.04, 1.08};
    const double back[3] = {-0.045, -0.02, 0.0};
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 7; ++i) {
            double angle = Lerp(-65.0, 55.0, i / 6.0) * kPi / 180.0;
            double x = P("gillX") + back[line] + 0.02 * std::cos(angle);
            double u = UOfX(x);
            Vec s = Trunk(u, angle);
            Vec axis{x, 0, AxisZ(u)};
            Vec pos = axis + (s - axis) * lift[line];
            pos.x = x;
            Vec normal = TrunkNormal(u, angle) + Vec{line == 2 ? 0.3 : 0.1, 0, 0};
            Point p{pos, Normalised(normal), {}};
            TrunkTexCoord(u, angle, p.tex);
            part.data.push_back(p);
        }
    }
    return part;
}

int NearestRing(double x) {
    int ring = static_cast<int>(std::lround(UOfX(x) * 19.0));
    return std::clamp(ring, 0, 19);
}

void WritePart(std::FILE* out, const Part& part) {
    std::fprintf(out, "const FishModelPoint %s[%d] = {\n", part.name, part.lines * part.points);
    for (const Point& p : part.data) {
        std::fprintf(out, "    {{%.5ff, %.5ff, %.5ff}, {%.5ff, %.5ff, %.5ff}, {%.5ff, %.5ff}},\n",
                     p.position.x, p.position.y, p.position.z, p.normal.x, p.normal.y, p.normal.z,
                     p.tex[0], p.tex[1]);
    }
    std::fprintf(out, "};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_fish_model OUTPUT.cpp [name=value ...]\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        auto eq = arg.find('=');
        bool found = false;
        for (Param& p : g_params) {
            if (eq != std::string::npos && arg.compare(0, eq, p.name) == 0 &&
                std::strlen(p.name) == eq) {
                p.value = std::atof(arg.c_str() + eq + 1);
                found = true;
            }
        }
        if (!found) {
            std::fprintf(stderr, "make_fish_model: unknown parameter %s\n", argv[i]);
            return 2;
        }
    }

    std::vector<Part> parts;
    parts.push_back(MakeTrunk());
    parts.push_back(MakeJaw("kUpperJaw", 3, 0.0, 90.0));
    parts.push_back(MakeJaw("kLowerJaw", 4, -90.0, 0.0));
    parts.push_back(MakeBackFin("kFrontDorsal", 4, P("frontDorsalStartX"), P("frontDorsalEndX"),
                                P("frontDorsalHeight"), 0.7, reef::skin::kFrontDorsalLeft,
                                reef::skin::kFrontDorsalRight));
    parts.push_back(MakeAnalFin());
    parts.push_back(MakePectoralFin());
    parts.push_back(MakePelvicFin());
    parts.push_back(MakeBackFin("kDorsalFin", 12, P("dorsalStartX"), P("dorsalEndX"),
                                P("dorsalHeight"), 0.5, reef::skin::kDorsalLeft,
                                reef::skin::kDorsalRight));
    parts.push_back(MakeTailFin());
    parts.push_back(MakeGillCover());

    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Generated by tools/make_fish_model.cpp; do not edit. To change the shape, "
                 "change the tool's\n// parameters and run `cmake --build build --target "
                 "regenerate_fish_model`.\n");
    std::fprintf(out, "#include \"fish/fish_model.h\"\n\nnamespace reef {\nnamespace {\n\n");
    for (const Part& part : parts) {
        WritePart(out, part);
    }
    const Part& front = parts[3];
    std::fprintf(out, "const int kFrontDorsalRings[4] = {");
    for (int i = 0; i < 4; ++i) {
        std::fprintf(out, "%s%d", i ? ", " : "", NearestRing(front.data[i].position.x));
    }
    std::fprintf(out, "};\n\nconst FishModelPart kParts[kFishPartCount] = {\n");
    for (const Part& part : parts) {
        std::fprintf(out, "    {%d, %d, %s},\n", part.lines, part.points, part.name);
    }
    std::fprintf(out,
                 "};\n\n}  // namespace\n\n"
                 "const FishModelPart& GetFishModelPart(FishPart part) {\n"
                 "    return kParts[static_cast<int>(part)];\n}\n\n"
                 "const int* FrontDorsalRings() {\n    return kFrontDorsalRings;\n}\n\n"
                 "}  // namespace reef\n");
    std::fclose(out);
    return 0;
}
