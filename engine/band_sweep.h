#pragma once

#include "analysis_run.h"
#include "edge_sweep.h"
#include "object_sweep.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace centrafix {

// The measuring of a picture whose rows arrive band by band, from the top, as
// a decoder delivers them, for a run with this tolerance: all ticked objects
// in one sweep where the tolerance allows it, otherwise a sweep per ticked
// object (as the run's own passes do). Keeps no pixels and marks nothing.
// The edges of `edgeColours` (see EdgeColours) are read in the same pass
// over the bands; none are read where it names none.
class BandSweep {
public:
    BandSweep(int width, int height, const std::array<bool, 8>& ticked, double Tolerance, int threads,
              const std::array<bool, 8>& edgeColours = {});

    // Rows firstRow to firstRow + band.height - 1; `above` is the row before
    // them (null for the first band).
    void addBand(const RasterView& band, int firstRow, const std::uint32_t* above);

    // The picture as RunAnalysisOfSwept takes it, once every row was added.
    SweptPicture finish();

private:
    int m_width;
    int m_height;
    std::vector<int> m_objects; // the object of each sweep; 0: all ticked at once
    std::vector<std::unique_ptr<ObjectSweep>> m_sweeps;
    EdgeSweep m_edges;
};

} // namespace centrafix
