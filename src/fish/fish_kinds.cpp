#include "fish/fish_kinds.h"

namespace reef {
namespace {

using O = FinOffset;
constexpr FinVariation kPlain{};

// Fin variations: length, second axis, offset rule, coefficient, drawn as lines.
const FishKind kKinds[kFishKindCount] = {
    // 0
    {{1, 1, 1}, kPlain, kPlain, kPlain, kPlain, kPlain, kPlain},
    // 1
    {{1, 1, 1}, {2.0f}, kPlain, kPlain, kPlain, kPlain, {1, 1, O::kTailSpread, -0.005f}},
    // 2
    {{1, 1, 1},
     {1.5f, 1, O::kConstant, 0.01f},
     kPlain,
     kPlain,
     kPlain,
     kPlain,
     {1, 1, O::kTailSpread, 0.005f}},
    // 3
    {{1, 1, 1}, kPlain, kPlain, kPlain, kPlain, {1.5f, 1.2f}, kPlain},
    // 4
    {{1, 0.6f, 0.6f}, kPlain, kPlain, {1.2f}, kPlain, {1, 1, O::kToTwelve, -0.005f}, kPlain},
    // 5
    {{0.8f, 1, 0.6f}, kPlain, kPlain, kPlain, kPlain, kPlain, kPlain},
    // 6
    {{1, 1, 1},
     {2.0f, 1, O::kConstant, 0.02f},
     kPlain,
     kPlain,
     kPlain,
     kPlain,
     {1.2f, 1, O::kJagged, 0.1f}},
    // 7
    {{1, 1, 1},
     {2.0f, 1, O::kConstant, 0.05f},
     kPlain,
     kPlain,
     kPlain,
     kPlain,
     {0.95f, 1, O::kConstant, 0.05f}},
    // 8
    {{1, 1, 0.8f}, kPlain, kPlain, kPlain, kPlain, kPlain, kPlain},
    // 9
    {{0.6f, 1, 1}, kPlain, kPlain, kPlain, kPlain, kPlain, kPlain},
    // 10
    {{1, 1, 1},
     kPlain,
     {1.3f, 2.0f, O::kConstant, 0.02f},
     kPlain,
     {1.8f, 1, O::kPerPoint, 0.01f},
     kPlain,
     kPlain},
    // 11
    {{1, 1, 1},
     kPlain,
     {1.3f, 2.0f, O::kConstant, 0.02f},
     kPlain,
     kPlain,
     {1, 1, O::kToTwelve, -0.01f},
     kPlain},
    // 12: the four single fins as wire rays
    {{1, 1, 1},
     {1, 1, O::kNone, 0, true},
     {1, 1, O::kNone, 0, true},
     kPlain,
     kPlain,
     {1, 1, O::kNone, 0, true},
     {0.9f, 1, O::kNone, 0, true}},
    // 13
    {{1, 1, 1}, kPlain, kPlain, kPlain, kPlain, kPlain, {1.5f, 2.0f, O::kNone, 0, true}},
    // 14
    {{1, 1, 0.7f}, kPlain, kPlain, kPlain, kPlain, kPlain, {1, 1.5f, O::kTailSpread, 0.004f}},
};

}  // namespace

float FinVariation::OffsetAt(int point, int size) const {
    switch (offset) {
        case FinOffset::kNone:
            return 0.0f;
        case FinOffset::kConstant:
            return size * coefficient;
        case FinOffset::kPerPoint:
            return size * point * coefficient;
        case FinOffset::kToTwelve:
            return size * (12 - point) * coefficient;
        case FinOffset::kTailSpread: {
            int n = point < 15 ? point : 31 - point;
            return size * n * coefficient;
        }
        case FinOffset::kJagged:
            return (point % 3) * coefficient;
    }
    return 0.0f;
}

const FishKind& GetFishKind(int kind) {
    return kKinds[kind];
}

}  // namespace reef
