#include "band_sweep.h"

namespace centrafix {

BandSweep::BandSweep(int width, int height, const std::array<bool, 8>& ticked, double Tolerance, int threads,
                     const std::array<bool, 8>& edgeColours)
    : m_width(width),
      m_height(height),
      m_edges(width, height, edgeColours, Tolerance, threads)
{
    if (CanSweepAllObjectsAtOnce(Tolerance)) {
        m_objects.push_back(0);
        m_sweeps.push_back(std::make_unique<ObjectSweep>(width, height, PixelClasses::ByCorner(ticked, Tolerance),
                                                         ticked, nullptr, threads));
        return;
    }
    for (int object = 1; object <= kObjectCount; ++object) {
        if (!ticked[static_cast<std::size_t>(object)])
            continue;
        std::array<bool, 8> only{};
        only[static_cast<std::size_t>(object)] = true;
        m_objects.push_back(object);
        const bool first = m_sweeps.empty();
        m_sweeps.push_back(std::make_unique<ObjectSweep>(width, height, PixelClasses::Single(object, Tolerance, first),
                                                         only, nullptr, threads));
    }
}

void BandSweep::addBand(const RasterView& band, int firstRow, const std::uint32_t* above)
{
    for (const auto& sweep : m_sweeps)
        sweep->addBand(band, firstRow, above);
    m_edges.addBand(band, firstRow);
}

SweptPicture BandSweep::finish()
{
    SweptPicture swept;
    swept.width = m_width;
    swept.height = m_height;
    swept.edges = m_edges.take();
    for (std::size_t s = 0; s < m_sweeps.size(); ++s) {
        SweepResult own = m_sweeps[s]->take();
        const auto object = static_cast<std::size_t>(m_objects[s]);
        if (object == 0) {
            swept.sweep = std::move(own);
            continue;
        }
        swept.sweep.objects[object] = own.objects[object];
        swept.sweep.rowChords[object] = std::move(own.rowChords[object]);
        swept.sweep.strayPixels += own.strayPixels;
    }
    return swept;
}

} // namespace centrafix
