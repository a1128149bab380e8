#pragma once

namespace reef {

constexpr int kFishKindCount = 15;

// Resource id of kind k's skin: 10000 + k.
constexpr int kFishSkinResourceBase = 10000;

// How a fin's per-point offset is worked out; `coefficient` carries the sign.
enum class FinOffset {
    kNone,
    kConstant,    // size * c at every point
    kPerPoint,    // size * point * c
    kToTwelve,    // size * (12 - point) * c
    kTailSpread,  // size * n * c, n = point for points 0..14, 31 - point for 15..30
    kJagged,      // (point % 3) * c, not scaled with the size
};

// A fixed change of one fin for one kind. The length factor multiplies the fin's model x (for
// the pectoral fins, the free edge's y), the second-axis factor its model z. The offset is
// added to x for the small front fin, subtracted from z for the anal fin, and replaces the
// fin's wave for the pelvic, dorsal and tail fins.
struct FinVariation {
    float length = 1.0f;
    float secondAxis = 1.0f;
    FinOffset offset = FinOffset::kNone;
    float coefficient = 0.0f;
    bool asLines = false;  // drawn as GL_LINES over the strip's vertex sequence

    bool HasOffset() const { return offset != FinOffset::kNone; }
    // The offset of point `point` for a fish of the given size, world units.
    float OffsetAt(int point, int size) const;
};

struct FishKind {
    float scale[3];            // whole-body scale, model axes
    FinVariation frontDorsal;  // M4
    FinVariation anal;         // M5
    FinVariation pectoral;     // M6
    FinVariation pelvic;       // M7
    FinVariation dorsal;       // M8
    FinVariation tail;         // M9
};

// The kind table; kind must be 0..14.
const FishKind& GetFishKind(int kind);

}  // namespace reef
