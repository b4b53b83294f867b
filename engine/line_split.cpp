#include "line_split.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace centrafix {

namespace {

using namespace fillbit;

// Deeper than any drawn line is thick at the resolutions plans are scanned.
constexpr int kMaxDepth = 64;

constexpr std::uint8_t kClaimed = kScratchA;
constexpr std::uint8_t kToRegion = kScratchB;
constexpr std::uint8_t kReachedByRegion = kScratchC;
constexpr std::uint8_t kReachedByOther = kScratchD;

bool IsSplit(std::uint8_t b)
{
    return (b & kWall) != 0 && (b & kRegion) == 0;
}

bool IsOtherPaper(std::uint8_t b)
{
    return (b & (kWall | kRegion | kPainted)) == 0;
}

// Not a pattern any straight line could follow: a tie row at any angle
// goes half to each side.
bool TieGoesToRegion(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA6Bu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return ((h >> 7) & 1u) != 0;
}

struct Pixel {
    int x;
    int y;
};

class Sweep {
public:
    Sweep(FillPlane& plane, const PlaneWindow& window) : m_plane(plane), m_w(window) {}

    void run()
    {
        seed();
        int depth = 1;
        while (!m_pending.empty()) {
            resolve(depth);
            if (depth == kMaxDepth)
                break;
            m_pending.clear();
            expand(m_fromRegion, true, depth);
            expand(m_fromOther, false, depth);
            ++depth;
        }
        handOver();
    }

private:
    template <class Visit>
    void forNeighbours(Pixel p, const Visit& visit)
    {
        if (p.x > m_w.left)
            visit(Pixel{p.x - 1, p.y});
        if (p.x < m_w.right)
            visit(Pixel{p.x + 1, p.y});
        if (p.y > m_w.top)
            visit(Pixel{p.x, p.y - 1});
        if (p.y < m_w.bottom)
            visit(Pixel{p.x, p.y + 1});
    }

    void seed()
    {
        for (int y = m_w.top; y <= m_w.bottom; ++y) {
            for (int x = m_w.left; x <= m_w.right; ++x) {
                std::uint8_t& b = m_plane.at(x, y);
                if (!IsSplit(b))
                    continue;
                std::uint8_t reached = 0;
                forNeighbours({x, y}, [&](Pixel n) {
                    const std::uint8_t nb = m_plane.at(n.x, n.y);
                    if (nb & kRegion)
                        reached |= kReachedByRegion;
                    else if (IsOtherPaper(nb))
                        reached |= kReachedByOther;
                });
                if (reached) {
                    b |= reached;
                    m_pending.push_back({x, y});
                }
            }
        }
    }

    void resolve(int depth)
    {
        m_fromRegion.clear();
        m_fromOther.clear();
        for (const Pixel p : m_pending) {
            std::uint8_t& b = m_plane.at(p.x, p.y);
            const bool byRegion = (b & kReachedByRegion) != 0;
            const bool byOther = (b & kReachedByOther) != 0;
            bool toRegion = byRegion;
            if (byRegion && byOther) {
                meet(depth);
                toRegion = TieGoesToRegion(p.x, p.y);
            }
            b = static_cast<std::uint8_t>((b & ~(kReachedByRegion | kReachedByOther)) | kClaimed |
                                          (toRegion ? kToRegion : 0));
            (toRegion ? m_fromRegion : m_fromOther).push_back(p);
        }
        m_regionByDepth.push_back(m_fromRegion);
    }

    void expand(const std::vector<Pixel>& front, bool region, int depth)
    {
        const std::uint8_t mark = region ? kReachedByRegion : kReachedByOther;
        for (const Pixel p : front) {
            forNeighbours(p, [&](Pixel n) {
                std::uint8_t& b = m_plane.at(n.x, n.y);
                if (!IsSplit(b))
                    return;
                if (b & kClaimed) {
                    if (((b & kToRegion) != 0) != region)
                        meet(depth);
                    return;
                }
                if ((b & (kReachedByRegion | kReachedByOther)) == 0)
                    m_pending.push_back(n);
                b |= mark;
            });
        }
    }

    void meet(int depth)
    {
        if (m_meetings.size() <= static_cast<std::size_t>(depth))
            m_meetings.resize(static_cast<std::size_t>(depth) + 1, 0);
        ++m_meetings[static_cast<std::size_t>(depth)];
    }

    // The depth at which most lines were met from the other side.
    int usualDepth() const
    {
        std::int64_t total = 0;
        for (const std::int64_t n : m_meetings)
            total += n;
        if (total == 0)
            return kMaxDepth;
        std::int64_t seen = 0;
        for (std::size_t d = 0; d < m_meetings.size(); ++d) {
            seen += m_meetings[d];
            if (2 * seen >= total)
                return static_cast<int>(d);
        }
        return kMaxDepth;
    }

    void handOver()
    {
        const int limit = std::min(kMaxDepth, usualDepth() + 1);
        for (std::size_t d = 0; d < m_regionByDepth.size() && static_cast<int>(d) < limit; ++d) {
            for (const Pixel p : m_regionByDepth[d])
                m_plane.at(p.x, p.y) |= kRegion;
        }
    }

    FillPlane& m_plane;
    PlaneWindow m_w;
    std::vector<Pixel> m_pending;
    std::vector<Pixel> m_fromRegion;
    std::vector<Pixel> m_fromOther;
    // Region pixels by depth, from 1: index 0 holds depth 1.
    std::vector<std::vector<Pixel>> m_regionByDepth;
    std::vector<std::int64_t> m_meetings;
};

} // namespace

void SplitBoundingLines(FillPlane& plane, const PlaneWindow& window)
{
    Sweep(plane, window).run();
}

} // namespace centrafix
