#pragma once

namespace reef {

// One point of a fish model part, for a fish of unit size.
// Model axes: length along x (snout toward -x), width along y (the mid-plane is y = 0, stored
// halves lie at y <= 0), height along z (back toward +z).
struct FishModelPoint {
    float position[3];
    float normal[3];    // unit length, drawn as stored
    float texCoord[2];  // s, t in the skin image shared by all kinds (t = 0 is the bottom row)
};

// The ten parts of the fish model, in the order of their tables.
enum class FishPart {
    kTrunk,        // M1: 6 lines x 20 points, line 0 the belly ridge to line 5 the back ridge
    kUpperJaw,     // M2: mouth part A, 3 x 7, points from the snout tip backward
    kLowerJaw,     // M3: mouth part B, 4 x 7
    kFrontDorsal,  // M4: small fin on the back, 2 x 4
    kAnalFin,      // M5: single fin under the tail half, 2 x 10
    kPectoralFin,  // M6: paired front fins, 2 x 23; line 0 the root, line 1 the free edge
    kPelvicFin,    // M7: paired middle fins, 2 x 9
    kDorsalFin,    // M8: long single fin on the back, 2 x 12
    kTailFin,      // M9: 2 x 31; line 0 the root, line 1 the edge, points from the lower lobe up
    kGillCover,    // M10: paired head plates, 3 x 7
};

constexpr int kFishPartCount = 10;

// A part: `lines` profile lines of `points` points each, line after line.
struct FishModelPart {
    int lines;
    int points;
    const FishModelPoint* data;

    const FishModelPoint& At(int line, int point) const { return data[line * points + point]; }
};

// The constant model tables, shared read-only by every fish.
const FishModelPart& GetFishModelPart(FishPart part);

// Body ring followed by each of the four points of the small front fin (M4): the trunk ring
// nearest to the point along the body.
const int* FrontDorsalRings();

}  // namespace reef
