#include "analysis_run.h"

#include "drag_report.h"
#include "loading_table.h"
#include "object_sweep.h"
#include "pixel_scan.h"
#include "results_grid.h"

#include <algorithm>

namespace centrafix {

std::string InputError::message() const
{
    return field + " \"" + text + "\" " + reason;
}

std::optional<InputError> PrepareRun(const AnalysisInputs& inputs, RunSetup& setup)
{
    const EvalResult tolerance = EvalNumber(inputs.toleranceText);
    if (!tolerance.ok())
        return InputError{"Tolerance", inputs.toleranceText, tolerance.error};
    const EvalResult scale = EvalNumber(inputs.scaleText);
    if (!scale.ok())
        return InputError{"Scale Factor", inputs.scaleText, scale.error};
    setup.Tolerance = tolerance.value;
    setup.ScaleFactor = scale.value;
    setup.scaleReplaced = false;
    if (setup.ScaleFactor < 1e-16) {
        // Zero or negative scales make no sense as lengths per pixel.
        setup.ScaleFactor = 1.0;
        setup.scaleReplaced = true;
    }
    return std::nullopt;
}

std::int64_t ProgressMaximum(int width, int height)
{
    return 7 * (2 * static_cast<std::int64_t>(height) + width);
}

namespace {

// The phases of one run, in the order the user sees them.
class Run {
public:
    Run(const RasterView& raster, ColorObjectTable& objects, const RunSetup& setup,
        const AnalysisInputs& inputs, AnalysisObserver& observer)
        : m_raster(raster), m_objects(objects), m_inputs(inputs), m_observer(observer),
          m_feedback(observer.wantsFeedback())
    {
        RunValues& v = m_result.values;
        v.Tolerance = setup.Tolerance;
        v.ScaleFactor = setup.ScaleFactor;
        v.width = raster.width;
        v.height = raster.height;
        v.RowChord.assign(static_cast<std::size_t>(raster.height) + 1, 0.0);
        v.marks = QuarterChordMarks(raster.width, raster.height);
        m_maximum = ProgressMaximum(raster.width, raster.height);
    }

    AnalysisResult execute()
    {
        m_observer.progressChanged(0, m_maximum);
        scan();
        m_result.loadingTable =
            BuildLoadingTable(m_result.values.RowChord, m_raster.height, m_inputs.OriginRow,
                              m_inputs.decimalSeparator);
        m_observer.loadingTableReady(m_result.loadingTable);
        std::array<bool, 8> found{};
        for (int i = 1; i <= kObjectCount; ++i)
            found[static_cast<std::size_t>(i)] = object(i).Found;
        m_observer.ticksUpdated(found);
        m_observer.displayRestored();
        m_observer.yieldToEvents();
        if (searchEdges()) {
            sumUp();
            plot();
            estimateDrag();
            m_result.completed = true;
        }
        m_observer.statusChanged(LoadLangResString(114, m_inputs.languageIndex));
        m_observer.progressChanged(0, m_maximum);
        return std::move(m_result);
    }

private:
    ColorObject& object(int i) { return m_objects[static_cast<std::size_t>(i)]; }

    std::uint8_t* freshMask()
    {
        if (!m_feedback)
            return nullptr;
        m_mask.assign(static_cast<std::size_t>(m_raster.width) *
                          static_cast<std::size_t>(m_raster.height),
                      0);
        return m_mask.data();
    }

    void reportPass(PassKind kind, int i)
    {
        if (!m_feedback)
            return;
        PassFeedback feedback;
        feedback.kind = kind;
        feedback.object = i;
        feedback.color = object(i).Color;
        feedback.tint = m_result.values.MarkerTint;
        feedback.width = m_raster.width;
        feedback.height = m_raster.height;
        feedback.mask = &m_mask;
        m_observer.passPainted(feedback);
    }

    void advance(std::int64_t steps)
    {
        m_progress += steps;
        m_observer.progressChanged(m_progress, m_maximum);
    }

    // The pixel work of one object's scan pass: from the sweep over all
    // objects when the tolerance allows one, otherwise a pass of its own.
    ScanSums measure(int i, const ColorMatcher& matcher)
    {
        RunValues& v = m_result.values;
        if (!m_sweep && CanSweepAllObjectsAtOnce(v.Tolerance))
            m_sweep = SweepAllObjects(m_raster, m_inputs.ticked, v.Tolerance, v.marks,
                                      m_inputs.threads);
        if (!m_sweep)
            return ScanObjectPixels(m_raster, matcher, v.ScaleFactor, v.RowChord, v.marks,
                                    QuarterChordMarks::bitOf(i), freshMask());
        if (std::uint8_t* mask = freshMask())
            FillScanMask(m_raster, matcher, mask);
        const ObjectTotals& t = m_sweep->objects[static_cast<std::size_t>(i)];
        const auto& chords = m_sweep->rowChords[static_cast<std::size_t>(i)];
        for (std::size_t y = 0; y < chords.size(); ++y)
            v.RowChord[y] += v.ScaleFactor * static_cast<double>(chords[y]);
        ScanSums sums;
        sums.count = static_cast<double>(t.count);
        sums.Sx = static_cast<double>(t.twiceSx) / 2.0;
        sums.Sy = static_cast<double>(t.twiceSy) / 2.0;
        sums.Q = static_cast<double>(t.fourQ) / 4.0;
        sums.S2 = static_cast<double>(t.sumSquaredChords);
        return sums;
    }

    void scan()
    {
        RunValues& v = m_result.values;
        std::uint8_t scannedBits = 0;
        for (int i = 1; i <= kObjectCount; ++i) {
            if (m_observer.abortRequested())
                break;
            ColorObject& o = object(i);
            m_observer.statusChanged(ObjectStatusText(110, o.Name, m_inputs.languageIndex));
            o.Found = false;
            v.MarkerTint = MarkerTintOf(o.Color);
            o.Area = 0.0;
            o.RefLength = 0.0;
            auto& ac = v.ACPoint[static_cast<std::size_t>(i)];
            ac.x = 0.0;
            if (m_inputs.ticked[static_cast<std::size_t>(i)]) {
                scannedBits |= QuarterChordMarks::bitOf(i);
                const ScanSums sums = measure(i, ColorMatcher(o.Color, v.Tolerance));
                o.Found = sums.count > 0.0;
                o.Area = sums.count;
                reportPass(PassKind::Scan, i);
                advance(m_raster.height);
                o.Outline = 4.0 * o.Area;
                if (o.Area > 0.0) {
                    const double n = sums.count;
                    const double s = v.ScaleFactor;
                    auto& cg = v.CGPoint[static_cast<std::size_t>(i)];
                    cg.x = sums.Sx / n * s;
                    cg.y = sums.Sy / n * s;
                    ac.x = sums.Q / n * s;
                    o.RefLength = sums.S2 / n * s;
                    o.Area = s * n * s;
                }
            } else {
                o.Outline = 0.0;
            }
            m_observer.yieldToEvents();
        }
        // The sweep marked every ticked object at once; an Esc keeps the marks
        // of the objects it did not reach off the canvas.
        std::uint8_t tickedBits = 0;
        for (int i = 1; i <= kObjectCount; ++i)
            if (m_inputs.ticked[static_cast<std::size_t>(i)])
                tickedBits |= QuarterChordMarks::bitOf(i);
        if (m_sweep && scannedBits != tickedBits)
            v.marks.keepOnly(scannedBits);
    }

    std::int64_t innerPairs(PassKind kind, int i)
    {
        const ColorMatcher matcher(object(i).Color, m_result.values.Tolerance);
        std::uint8_t* mask = freshMask();
        const bool vertical = kind == PassKind::VerticalEdges;
        if (m_sweep && !mask) {
            const ObjectTotals& t = m_sweep->objects[static_cast<std::size_t>(i)];
            return vertical ? t.verticalPairs : t.horizontalPairs;
        }
        return vertical ? CountVerticalInnerPairs(m_raster, matcher, mask)
                        : CountHorizontalInnerPairs(m_raster, matcher, mask);
    }

    // One edge pass over the objects; false when an Esc stopped it at the
    // head of an object.
    bool edgePass(PassKind kind)
    {
        RunValues& v = m_result.values;
        const bool vertical = kind == PassKind::VerticalEdges;
        for (int i = 1; i <= kObjectCount; ++i) {
            if (m_observer.abortRequested())
                return false;
            ColorObject& o = object(i);
            m_observer.statusChanged(
                ObjectStatusText(vertical ? 132 : 133, o.Name, m_inputs.languageIndex));
            if (o.Found) {
                v.MarkerTint = MarkerTintOf(o.Color);
                o.Outline -= 2.0 * static_cast<double>(innerPairs(kind, i));
                reportPass(kind, i);
                advance(vertical ? m_raster.height : m_raster.width);
                if (!vertical)
                    o.Outline *= v.ScaleFactor; // now a length: edges are ScaleFactor long
            }
            m_observer.yieldToEvents();
        }
        return true;
    }

    // Returns false when an Esc sends the run straight to its finish. An Esc
    // during the vertical pass still lets the display be restored first.
    bool searchEdges()
    {
        edgePass(PassKind::VerticalEdges);
        m_observer.displayRestored();
        m_observer.yieldToEvents();
        return edgePass(PassKind::HorizontalEdges) && !m_observer.abortRequested();
    }

    void sumUp()
    {
        m_observer.statusChanged(LoadLangResString(112, m_inputs.languageIndex));
        m_observer.yieldToEvents();
        RunValues& v = m_result.values;
        m_result.gridRows = SumUpResults(m_objects, v.CGPoint, v.ACPoint, m_inputs.OriginX,
                                         m_inputs.OriginY, m_inputs.decimalSeparator);
        for (const std::string& row : m_result.gridRows)
            m_observer.gridRowAppended(row);
    }

    void plot()
    {
        m_observer.statusChanged(LoadLangResString(113, m_inputs.languageIndex));
        m_observer.yieldToEvents();
        m_observer.plotRequested(m_objects, m_result.values);
    }

    void estimateDrag()
    {
        const RunValues& v = m_result.values;
        const DragEstimate drag = EstimateFrictionDrag(
            v.RowChord, m_raster.height, v.ScaleFactor, m_objects[0].Area, m_inputs.altitudeText,
            m_inputs.machText, m_inputs.decimalSeparator, m_inputs.languageIndex);
        m_result.CD_lam = drag.CD_lam;
        m_result.CD_turb = drag.CD_turb;
        m_result.cdError = drag.unavailableReason;
        m_result.report = ReportLines(m_raster.width, m_raster.height, v.ScaleFactor, drag,
                                      m_inputs.languageIndex, m_inputs.decimalSeparator);
        m_observer.reportReady(m_result.report);
    }

    const RasterView& m_raster;
    ColorObjectTable& m_objects;
    const AnalysisInputs& m_inputs;
    AnalysisObserver& m_observer;
    const bool m_feedback;
    std::vector<std::uint8_t> m_mask;
    std::optional<SweepResult> m_sweep;
    std::int64_t m_progress = 0;
    std::int64_t m_maximum = 0;
    AnalysisResult m_result;
};

} // namespace

AnalysisResult RunAnalysis(const RasterView& raster, ColorObjectTable& ColorObjects,
                           const RunSetup& setup, const AnalysisInputs& inputs,
                           AnalysisObserver& observer)
{
    Run run(raster, ColorObjects, setup, inputs, observer);
    return run.execute();
}

} // namespace centrafix
