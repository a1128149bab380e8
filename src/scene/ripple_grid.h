#pragma once

namespace reef {

// One raindrop wave of a grid, in grid units and steps. A slot is finished (free for the next
// drop) once age >= endAge; its age keeps growing after that.
struct RippleDrop {
    int cx = 0;
    int cy = 0;
    int age = 0;
    int endAge = 0;
};

// A flat mesh over [-1, 1] x [-1, 1] (z = 0) whose texture coordinates are pushed around by
// expanding circular waves, so whatever texture is bound when it is drawn shimmers as if rain
// fell on it. The vertex and slot stores have a fixed capacity; nothing is allocated after
// construction.
//
// Life cycle: Init() once (random shape), Resize() with the pixel size of the view it covers,
// then AddDrop() / Draw() / Step() every frame; Resize() again whenever the view changes size.
class RippleGrid {
public:
    static constexpr int kMaxSide = 64;
    static constexpr int kSlotCapacity = 14;
    // The amplitude table covers r < 3072, so the wave life is at most 3072 steps.
    static constexpr int kMaxWaveLife = 3072;

    RippleGrid();

    // Draws the shape from the process-wide generator, in this order: columns and rows from
    // {16, 32, 64}, wave life 512 * (1 + rand() % 6), slot count 2 + rand() % 7.
    void Init();

    // Sets the shape directly: columns and rows 2..64, wave life 1..3072 steps, 1..14 slots
    // (out-of-range values are clamped). Takes effect at the next Resize().
    void SetShape(int columns, int rows, float waveLife, int slotCount);

    // Lays the mesh out for a view of width x height pixels and marks every slot finished.
    // Sizes below 1 count as 1.
    void Resize(int width, int height);

    // Starts a wave at pixel (x, y), 0 <= x < width, 0 <= y < height, in the first finished
    // slot; ignored when every slot is busy. Positions outside the view are pulled to its edge.
    void AddDrop(int x, int y);

    // Ages every slot by one step and recomputes every texture coordinate from its rest value.
    void Step();

    // Sends the mesh to OpenGL as quads with the current texture coordinates, under whatever
    // texture and transform the caller has set. Needs a current context.
    void Draw() const;

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    int SlotCount() const { return m_slotCount; }
    float WaveLife() const { return m_waveLife; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Diagonal() const { return m_diagonal; }
    const RippleDrop& Slot(int k) const { return m_slots[k]; }

    // Vertex (i, j): column i, row j; row 0 is the bottom (y = -1, t = 0).
    float X(int i, int j) const { return m_x[i][j]; }
    float Y(int i, int j) const { return m_y[i][j]; }
    float S(int i, int j) const { return m_s[i][j]; }
    float T(int i, int j) const { return m_t[i][j]; }
    float RestS(int i, int j) const { return m_s0[i][j]; }
    float RestT(int i, int j) const { return m_t0[i][j]; }

    // Replaces a rest coordinate; for tests of sums that start from unusual values.
    void SetRestTexCoordForTest(int i, int j, float s0, float t0);

private:
    // The part of one slot's wave that is the same for every vertex during one step.
    struct SlotStep {
        int age;
        int lastRow;    // wave life - 1: the largest amplitude row the slot reads
        double factor;  // (1 - age / life)^2, unclamped
    };
    SlotStep StepOf(const RippleDrop& drop) const;
    void ApplySlot(const RippleDrop& drop, const SlotStep& step);
    void RedoSignedZeros(const SlotStep* steps);
    void SumVertexDirectly(int i, int j, const SlotStep* steps);

    int m_columns = 16;
    int m_rows = 16;
    int m_slotCount = 2;
    float m_waveLife = 512.0f;
    int m_stepIncrement = 1;
    int m_width = 1;
    int m_height = 1;
    int m_diagonal = 1;
    RippleDrop m_slots[kSlotCapacity];

    // Indexed [column][row], so a column's rows lie side by side for the per-column sums.
    float m_x[kMaxSide][kMaxSide];
    float m_y[kMaxSide][kMaxSide];
    float m_s[kMaxSide][kMaxSide];
    float m_t[kMaxSide][kMaxSide];
    float m_s0[kMaxSide][kMaxSide];
    float m_t0[kMaxSide][kMaxSide];
};

}  // namespace reef
