#pragma once

#include "pixel_classes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// What one picture row adds to each object's totals. Entry 0 collects the
// background and is thrown away.
struct RowSums {
    std::array<std::int64_t, 8> count{};      // matching pixels: the row chord
    std::array<std::int64_t, 8> twiceSx{};    // 2 x sum of (x + 0.5)
    std::array<std::int64_t, 8> fourQ{};      // 4 x sum over runs of chord x quarter-chord x
    std::array<std::int64_t, 8> vertical{};   // inner pairs (x - 1, y), (x, y) of one exact colour
    std::array<std::int64_t, 8> horizontal{}; // pairs (x, y - 1), (x, y) of one exact colour
    std::int64_t stray = 0;                   // IsStrayPixel words, where the classes ask for them
};

// One row as a walker reads it. `above` is null for the picture's first row;
// `marks` (null: none wanted) is the row's quarter-chord canvas, which gets
// the object's bit at the first pixel, the floor of the quarter-chord point
// and the first pixel after every run that ends inside the picture.
struct RowInput {
    const std::uint32_t* row = nullptr;
    const std::uint32_t* above = nullptr;
    int width = 0;
    std::uint8_t* marks = nullptr;
};

// Working memory of the walkers for rows up to one width, reused row after row.
class RowScratch {
public:
    explicit RowScratch(int width);

    std::uint8_t* codes() { return m_codes.data() + kLead; } // codes()[-1] exists
    std::uint64_t* bits() { return m_bits.data(); }
    std::vector<std::int64_t>& runStarts() { return m_runStarts; }
    std::vector<std::int64_t>& runEnds() { return m_runEnds; }

private:
    static constexpr std::size_t kLead = 64;
    std::vector<std::uint8_t> m_codes;
    std::vector<std::uint64_t> m_bits;
    std::vector<std::int64_t> m_runStarts;
    std::vector<std::int64_t> m_runEnds;
};

// The reference: plain C++, one pixel at a time.
void SweepRowScalar(const RowInput& in, const PixelClasses& classes, RowScratch& scratch, RowSums& sums);

// The same with vector instructions, chosen at run time for the processor.
// Returns false, having done nothing, where the processor's vectors are too
// narrow to pay; the caller then takes the reference.
bool SweepRowVector(const RowInput& in, const PixelClasses& classes, RowScratch& scratch, RowSums& sums);

// The instruction sets the vector walker was built for that this processor
// has, widest first ("AVX2", "SSE4" ...); the first is the one it uses.
std::vector<std::string> VectorInstructionSets();

// Makes the vector walker use the set `name` from now on, so each can be held
// against the reference; false, changing nothing, when it is not one of
// VectorInstructionSets().
bool UseVectorInstructionSet(std::string_view name);

} // namespace centrafix
