#include "fish/fish_placement.h"

#include "fish/fish_tank.h"
#include "platform/random.h"
#include "scene/sand_floor.h"
#include "view/screen_tables.h"

namespace reef {
namespace {

constexpr int kColumnSlots = 25;
constexpr int kFirstFloorSlot = 10;
constexpr int kFirstFloorColumn = 15;
constexpr int kFloorColumns = 30;
// Numbers drawn and not used after each floor fish.
constexpr int kUnusedDraws = 7;

}  // namespace

Vec3 SandFloorHeights::Vertex(int row, int column) const {
    const SandVertex v = m_grid.Vertex(row, column);
    return {v.x, v.y, v.z};
}

void PlaceFish(FishTank& tank, const TankBox& box, const FloorHeights& floor) {
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        Fish& fish = tank.fish[slot];
        fish.position.x = slot == 1 ? -10.0f : static_cast<float>(10 * (slot / 5));
        fish.position.z = -70.0f - static_cast<float>(10 * (slot % 5));
        fish.position.y = static_cast<float>(Rand() % 10);
        fish.SetTankBounds(box);
    }

    const int width = static_cast<int>(box.maxX - box.minX);
    for (int slot = kFirstFloorSlot; slot < kFishSlots; ++slot) {
        const int r1 = Rand();
        const int r2 = Rand();
        const int r3 = Rand();
        const int r4 = Rand();
        const int row = width > 0 ? r3 % width : 0;
        const Vec3 v = floor.Vertex(row, kFirstFloorColumn + r4 % kFloorColumns);
        Fish& fish = tank.fish[slot];
        fish.position.x = v.x;
        fish.position.y = box.minY - v.y + static_cast<float>(r1 % 50) + 10.0f;
        fish.position.z = v.z + box.minZ + static_cast<float>(r2 % 20);
        for (int i = 0; i < kUnusedDraws; ++i) {
            Rand();
        }
        fish.SetTankBounds(box);
    }
}

}  // namespace reef
