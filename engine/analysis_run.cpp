#include "analysis_run.h"

#include "balance_phase.h"
#include "balance_report.h"
#include "length_unit.h"
#include "loading_table.h"
#include "number_text.h"
#include "object_measures.h"
#include "object_sweep.h"
#include "pass_masks.h"
#include "results_grid.h"
#include "string_table.h"

#include <algorithm>
#include <cmath>

namespace centrafix {

std::int64_t ProgressMaximum(int width, int height)
{
    return 7 * (2 * static_cast<std::int64_t>(height) + width);
}

namespace {

constexpr Message kAborted{"Abgebrochen.", "Aborted."};

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

// The phases of one run, in the order the user sees them.
class Run {
public:
    // raster: the picture, swept object by object as the passes reach it;
    // null when `swept` holds the sweep of a picture that was measured as it
    // was read (no pass feedback and no quarter-chord marks then).
    Run(const RasterView* raster, SweptPicture* swept, ColorObjectTable& objects, const RunSetup& setup,
        const AnalysisInputs& inputs, AnalysisObserver& observer)
        : m_raster(raster),
          m_width(raster ? raster->width : swept->width),
          m_height(raster ? raster->height : swept->height),
          m_objects(objects),
          m_inputs(inputs),
          m_observer(observer),
          m_feedback(raster && observer.wantsFeedback())
    {
        RunValues& v = m_result.values;
        v.Tolerance = setup.Tolerance;
        v.ScaleFactor = setup.ScaleFactor;
        v.width = m_width;
        v.height = m_height;
        v.RowChord.assign(static_cast<std::size_t>(m_height) + 1, 0.0);
        if (raster)
            v.marks = QuarterChordMarks(m_width, m_height);
        if (swept) {
            m_sweep = std::move(swept->sweep);
            m_edges = std::move(swept->edges);
            m_swept = true;
        }
        m_maximum = ProgressMaximum(m_width, m_height);
    }

    AnalysisResult execute()
    {
        m_observer.progressChanged(0, m_maximum);
        scan();
        m_observer.loadingTableReady(
            LoadingTable(m_result.values.RowChord, m_height, m_inputs.OriginRow, m_inputs.decimalSeparator));
        std::array<bool, 8> found{};
        for (int i = 1; i <= kObjectCount; ++i)
            found[At(i)] = object(i).Found;
        m_observer.ticksUpdated(found);
        m_observer.displayRestored();
        m_observer.yieldToEvents();
        if (searchEdges()) {
            sumUp();
            plot();
            estimateDrag();
            balance();
            m_observer.reportReady(m_result.report);
            m_result.completed = true;
        }
        // A run that Esc ended says so, rather than looking like one that
        // found nothing; one that matched little or nothing says that.
        const std::string warning = MatchWarningText(m_result.matches, m_inputs.languageIndex);
        if (!m_result.completed)
            m_observer.statusChanged(std::string(Tr(kAborted, m_inputs.languageIndex)));
        else
            m_observer.statusChanged(warning.empty() ? std::string(Tr(msg::Ready, m_inputs.languageIndex)) : warning);
        m_observer.progressChanged(0, m_maximum);
        return std::move(m_result);
    }

private:
    ColorObject& object(int i) { return m_objects[At(i)]; }
    const ObjectTotals& totals(int i) const { return m_sweep.objects[At(i)]; }

    std::uint8_t* freshMask()
    {
        if (!m_feedback)
            return nullptr;
        m_mask.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0);
        return m_mask.data();
    }

    void reportPass(PassKind kind, int i)
    {
        std::uint8_t* mask = freshMask();
        if (!mask)
            return;
        const ColorMatcher matcher(object(i).Color, m_result.values.Tolerance);
        switch (kind) {
        case PassKind::Scan: FillScanMask(*m_raster, matcher, mask); break;
        case PassKind::VerticalEdges: FillVerticalPairMask(*m_raster, matcher, mask); break;
        case PassKind::HorizontalEdges: FillHorizontalPairMask(*m_raster, matcher, mask); break;
        }
        PassFeedback feedback;
        feedback.kind = kind;
        feedback.object = i;
        feedback.color = object(i).Color;
        feedback.tint = m_result.values.MarkerTint;
        feedback.width = m_width;
        feedback.height = m_height;
        feedback.mask = &m_mask;
        m_observer.passPainted(feedback);
    }

    void advance(std::int64_t steps)
    {
        m_progress += steps;
        m_observer.progressChanged(m_progress, m_maximum);
    }

    // The pixel work of one object's scan pass: all objects at once at the
    // first pass when the tolerance allows it, otherwise a read of its own.
    void measure(int i)
    {
        RunValues& v = m_result.values;
        if (m_swept)
            return;
        if (CanSweepAllObjectsAtOnce(v.Tolerance)) {
            m_sweep = SweepAllObjects(*m_raster, m_inputs.ticked, v.Tolerance, v.marks, m_inputs.threads);
            m_swept = true;
            return;
        }
        // The first object's read counts the stray pixels for the run.
        const bool first = !m_strayCounted;
        SweepResult own =
            SweepOneObject(*m_raster, i, v.Tolerance, v.marks, m_inputs.threads, SweepMethod::Vector, first);
        m_sweep.objects[At(i)] = own.objects[At(i)];
        m_sweep.rowChords[At(i)] = std::move(own.rowChords[At(i)]);
        if (first)
            m_sweep.strayPixels = own.strayPixels;
        m_strayCounted = true;
    }

    void scan()
    {
        RunValues& v = m_result.values;
        std::uint8_t scannedBits = 0;
        for (int i = 1; i <= kObjectCount; ++i) {
            if (m_observer.abortRequested())
                break;
            ColorObject& o = object(i);
            m_observer.statusChanged(ObjectStatusText(msg::Analyzing, o.Name, m_inputs.languageIndex));
            v.MarkerTint = MarkerTintOf(o.Color);
            o.Found = false;
            o.Area = 0.0;
            o.RefLength = 0.0;
            o.Outline = 0.0;
            v.ACPoint[At(i)].x = 0.0;
            if (m_inputs.ticked[At(i)]) {
                scannedBits |= QuarterChordMarks::bitOf(i);
                measure(i);
                m_measures[At(i)] = MeasureObject(totals(i), m_sweep.rowChords[At(i)], v.ScaleFactor, v.RowChord);
                const ObjectMeasures& m = m_measures[At(i)];
                o.Found = totals(i).count > 0;
                reportPass(PassKind::Scan, i);
                advance(m_height);
                o.Area = m.area;
                o.Outline = 4.0 * static_cast<double>(totals(i).count);
                o.RefLength = m.refLength;
                v.ACPoint[At(i)].x = m.acX;
                if (o.Found) {
                    v.CGPoint[At(i)].x = m.cgX;
                    v.CGPoint[At(i)].y = m.cgY;
                }
            }
            m_observer.yieldToEvents();
        }
        // The sweep marked every ticked object at once; an Esc keeps the marks
        // of the objects it did not reach off the canvas.
        std::uint8_t tickedBits = 0;
        for (int i = 1; i <= kObjectCount; ++i)
            if (m_inputs.ticked[At(i)])
                tickedBits |= QuarterChordMarks::bitOf(i);
        if (scannedBits != tickedBits)
            v.marks.keepOnly(scannedBits);
        MatchCount& matches = m_result.matches;
        matches.stray = m_sweep.strayPixels;
        for (int i = 1; i <= kObjectCount; ++i)
            matches.matched += m_inputs.ticked[At(i)] ? totals(i).count : 0;
    }

    // One edge pass over the objects, stopped by an Esc at the head of an
    // object.
    void edgePass(PassKind kind)
    {
        RunValues& v = m_result.values;
        const bool vertical = kind == PassKind::VerticalEdges;
        for (int i = 1; i <= kObjectCount; ++i) {
            if (m_observer.abortRequested())
                return;
            ColorObject& o = object(i);
            m_observer.statusChanged(ObjectStatusText(vertical ? msg::SearchingVertical : msg::SearchingHorizontal,
                                                      o.Name, m_inputs.languageIndex));
            if (o.Found) {
                v.MarkerTint = MarkerTintOf(o.Color);
                // The vertical edges leave the outline in pixel edges; with the
                // horizontal ones it is complete and becomes a length.
                o.Outline = vertical ? static_cast<double>(OutlineEdges(totals(i), false)) : m_measures[At(i)].outline;
                reportPass(kind, i);
                advance(vertical ? m_height : m_width);
            }
            m_observer.yieldToEvents();
        }
    }

    // Returns false when an Esc sends the run straight to its finish. An Esc
    // during the vertical pass still lets the display be restored first.
    bool searchEdges()
    {
        edgePass(PassKind::VerticalEdges);
        m_observer.displayRestored();
        m_observer.yieldToEvents();
        edgePass(PassKind::HorizontalEdges);
        return !m_observer.abortRequested();
    }

    void sumUp()
    {
        m_observer.statusChanged(std::string(Tr(msg::SummingUp, m_inputs.languageIndex)));
        m_observer.yieldToEvents();
        RunValues& v = m_result.values;
        m_result.gridRows = SumUpResults(m_objects, v.CGPoint, v.ACPoint, m_inputs.OriginX, m_inputs.OriginY,
                                         m_inputs.decimalSeparator, m_inputs.languageIndex);
        for (const GridRow& row : m_result.gridRows)
            m_observer.gridRowAppended(row);
    }

    void plot()
    {
        m_observer.statusChanged(std::string(Tr(msg::Plotting, m_inputs.languageIndex)));
        m_observer.yieldToEvents();
        m_observer.plotRequested(m_objects, m_result.values);
    }

    void estimateDrag()
    {
        const RunValues& v = m_result.values;
        m_result.drag = EstimateFrictionDrag(v.RowChord, m_height, v.ScaleFactor, m_objects[0].Area,
                                             m_inputs.altitudeText, m_inputs.machText, m_inputs.localeSeparator,
                                             MetresPerUnit(m_inputs.unit).value_or(1.0));
        m_result.report = ReportLines(m_width, m_height, v.ScaleFactor, *m_result.drag, m_inputs.languageIndex,
                                      m_inputs.decimalSeparator, m_inputs.unit, m_result.matches);
    }

    // The balance of the lifting surfaces found; their edges are read here
    // from the raster, or were read with the sweep of a streamed picture.
    // Nothing is read where no lifting surface was found.
    void balance()
    {
        if (!AnyEdgeColour(LiftingSurfacesFound(m_objects, m_inputs)))
            return;
        PictureEdges edges = m_raster ? ReadEdges(*m_raster, EdgeColours(m_inputs.ticked, m_inputs.balance),
                                                  m_result.values.Tolerance, m_inputs.threads)
                                      : std::move(m_edges);
        BalanceOutcome outcome = BalanceOfRun(std::move(edges), m_objects, m_inputs, m_result.values.ScaleFactor);
        m_result.balance = std::move(outcome.balance);
        m_result.noBalance = outcome.noBalance;
        m_result.report += BalanceLines(m_result.balance, m_result.noBalance, m_inputs.languageIndex,
                                        m_inputs.decimalSeparator, m_inputs.unit);
    }

    const RasterView* m_raster;
    const int m_width;
    const int m_height;
    ColorObjectTable& m_objects;
    const AnalysisInputs& m_inputs;
    AnalysisObserver& m_observer;
    const bool m_feedback;
    std::vector<std::uint8_t> m_mask;
    SweepResult m_sweep;
    PictureEdges m_edges; // of a streamed picture
    bool m_swept = false;
    bool m_strayCounted = false;
    std::array<ObjectMeasures, 8> m_measures{};
    std::int64_t m_progress = 0;
    std::int64_t m_maximum = 0;
    AnalysisResult m_result;
};

} // namespace

AnalysisResult RunAnalysis(const RasterView& raster, ColorObjectTable& ColorObjects, const RunSetup& setup,
                           const AnalysisInputs& inputs, AnalysisObserver& observer)
{
    Run run(&raster, nullptr, ColorObjects, setup, inputs, observer);
    return run.execute();
}

AnalysisResult RunAnalysisOfSwept(SweptPicture& swept, ColorObjectTable& ColorObjects, const RunSetup& setup,
                                  const AnalysisInputs& inputs, AnalysisObserver& observer)
{
    Run run(nullptr, &swept, ColorObjects, setup, inputs, observer);
    return run.execute();
}

} // namespace centrafix
