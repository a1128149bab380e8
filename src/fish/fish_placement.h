#pragma once

#include "fish/fish.h"

namespace reef {

struct FishTank;
struct TankBox;
class SandFloorGrid;

// The floor the free swimmers are set down on at start-up: the vertex of a height grid at
// (row, column), world units.
class FloorHeights {
public:
    virtual ~FloorHeights() = default;
    virtual Vec3 Vertex(int row, int column) const = 0;
};

// The sand floor grid built at start-up, as the placement reads it.
class SandFloorHeights final : public FloorHeights {
public:
    explicit SandFloorHeights(const SandFloorGrid& grid) : m_grid(grid) {}
    Vec3 Vertex(int row, int column) const override;

private:
    const SandFloorGrid& m_grid;
};

// Start positions of all 50 slots, drawing from the process generator in this order:
//  1. slots 0..24 in five columns of five (x = 10 x (slot / 5), slot 1 at x = -10;
//     z = -70 - 10 x (slot % 5)); y = rand() % 10, one number per slot; each gets its walls;
//  2. slots 10..49 again, on the floor: four numbers r1..r4, row r3 % W (W = the tank's whole
//     width), column 15 + r4 % 30; x = floor x, y = tank min y - floor y + r1 % 50 + 10,
//     z = floor z + tank min z + r2 % 20; then seven numbers are drawn and not used; walls.
// A tank narrower than one unit puts every floor fish on row 0.
void PlaceFish(FishTank& tank, const TankBox& box, const FloorHeights& floor);

}  // namespace reef
