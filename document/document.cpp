#include "document.h"

#include "change_reasons.h"

#include "engine/balance_report.h"
#include "engine/drag_report.h"
#include "engine/eval_number.h"
#include "engine/number_text.h"
#include "engine/results_grid.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace centrafix {

Document::Document(int languageIndex) : m_languageIndex(languageIndex)
{
    m_objects = MakeColorObjects(languageIndex);
    m_choices[0].ticked = false; // the total is never looked for
}

void Document::setPicture(QImage picture, const QString& name, const QString& path, bool pasted)
{
    m_picture = std::move(picture);
    m_pictureName = name;
    m_picturePath = path;
    m_pictureIsPasted = pasted;
    touch();
    // Nothing may still belong to the picture before.
    forgetLastRun();
    for (std::size_t i = 1; i < m_choices.size(); ++i)
        m_choices[i] = ColorChoice{};
}

void Document::changePicture(QImage picture)
{
    m_picture = std::move(picture);
    pictureChanged();
}

void Document::pictureChanged()
{
    forgetNotFound();
    touch();
    markOutOfDate(kChangedPicture);
}

void Document::setLanguage(int languageIndex)
{
    m_languageIndex = languageIndex;
    AssignColorsAndNames(m_objects, languageIndex);
    translateLastRun();
}

void Document::setSeparators(const std::string& shown, const std::string& typed)
{
    m_shownSeparator = shown;
    m_typedSeparator = typed;
}

void Document::setScaleText(const std::string& text)
{
    if (text == m_scaleText)
        return;
    m_scaleText = text;
    touch();
    rescaleOrigin();
    markOutOfDate(kChangedScale);
}

void Document::setToleranceText(const std::string& text)
{
    if (text == m_toleranceText)
        return;
    m_toleranceText = text;
    touch();
    // Another tolerance may find what the last one did not.
    forgetNotFound();
    markOutOfDate(kChangedTolerance);
}

void Document::setAltitudeText(const std::string& text)
{
    if (std::exchange(m_altitudeText, text) != text) {
        touch();
        markOutOfDate(kChangedAltitude);
    }
}

void Document::setMachText(const std::string& text)
{
    if (std::exchange(m_machText, text) != text) {
        touch();
        markOutOfDate(kChangedMach);
    }
}

void Document::setUnit(const std::string& unit)
{
    if (std::exchange(m_unit, unit) != unit) {
        touch();
        markOutOfDate(kChangedUnit);
    }
}

void Document::setBalanceSettings(const aero::BalanceSettings& settings)
{
    if (std::exchange(m_balance, settings) != settings) {
        touch();
        markOutOfDate(kChangedBalance);
    }
}

Result<double> Document::scaleFactor() const
{
    return EvalNumber(m_scaleText, Field::ScaleFactor, m_typedSeparator);
}

// The origin keeps its pixel and follows the scale the text gives. While the
// text does not evaluate ("1/" on the way to "1/50") its leading number
// stands in; that is no error.
void Document::rescaleOrigin()
{
    const Result<double> scale = scaleFactor();
    const double v =
        scale ? *scale : TypedLeadingNumber(m_scaleText, m_typedSeparator).value_or(LeadingNumber(m_scaleText));
    m_origin.x = v * m_origin.column;
    m_origin.y = v * m_origin.row;
}

bool Document::placeOrigin(double column, double row)
{
    const Result<double> scale = scaleFactor();
    // Without a usable factor there is no scaled position, and an origin
    // placed with it could not be drawn or rescaled.
    if (!scale || *scale == 0.0)
        return false;
    const bool moved = m_origin.column != column || m_origin.row != row;
    const DocumentOrigin placed{column, row, column * *scale, row * *scale};
    if (placed != m_origin)
        touch();
    m_origin = placed;
    if (moved)
        markOutOfDate(kChangedOrigin);
    return true;
}

std::optional<Error> Document::typeOrigin(const std::string& typedX, const std::string& typedY)
{
    const Result<double> x = EvalNumber(typedX, Field::Origin, m_typedSeparator);
    if (!x)
        return x.error();
    const Result<double> y = EvalNumber(typedY, Field::Origin, m_typedSeparator);
    if (!y)
        return y.error();
    const Result<double> scale = scaleFactor();
    if (!scale)
        return scale.error();
    if (*scale == 0.0)
        return FieldError(ErrorKind::NotAboveZero, Field::ScaleFactor, m_scaleText);
    const double column = *x / *scale;
    const double row = *y / *scale;
    if (!std::isfinite(column))
        return FieldError(ErrorKind::NotFiniteResults, Field::Origin, typedX);
    if (!std::isfinite(row))
        return FieldError(ErrorKind::NotFiniteResults, Field::Origin, typedY);
    const DocumentOrigin typed{column, row, *x, *y};
    if (typed != m_origin)
        touch();
    m_origin = typed;
    markOutOfDate(kChangedOrigin);
    return std::nullopt;
}

void Document::restoreOrigin(const DocumentOrigin& origin)
{
    if (origin == m_origin)
        return;
    m_origin = origin;
    touch();
    markOutOfDate(kChangedOrigin);
}

std::array<bool, 8> Document::ticks() const
{
    std::array<bool, 8> ticked{};
    for (std::size_t i = 1; i < ticked.size(); ++i)
        ticked[i] = m_choices[i].ticked;
    return ticked;
}

std::array<bool, 8> Document::notFound() const
{
    std::array<bool, 8> marks{};
    for (std::size_t i = 1; i < marks.size(); ++i)
        marks[i] = m_choices[i].notFound;
    return marks;
}

void Document::setWeight(int i, double weight)
{
    if (i < 1 || i > kObjectCount)
        return;
    double& kept = m_objects[static_cast<std::size_t>(i)].Weight;
    if (std::exchange(kept, weight) != weight) {
        touch();
        markOutOfDate(kChangedWeights);
    }
}

void Document::setTicks(const std::array<bool, 8>& ticked)
{
    const bool changed = ticks() != ticked;
    const std::array<ColorChoice, 8> before = m_choices;
    for (std::size_t i = 1; i < ticked.size(); ++i)
        m_choices[i] = ColorChoice{ticked[i], false};
    if (before != m_choices)
        touch();
    // The user's choice stands, even against what the run under way finds.
    if (m_runUnderWay)
        m_findingsOverruled = true;
    if (changed)
        markOutOfDate(kChangedColors);
}

void Document::setTicked(int i, bool ticked)
{
    if (i < 1 || i > kObjectCount || m_choices[static_cast<std::size_t>(i)].ticked == ticked)
        return;
    m_choices[static_cast<std::size_t>(i)].ticked = ticked;
    touch();
    forgetNotFound();
    markOutOfDate(kChangedColors);
}

void Document::forgetNotFound()
{
    if (m_runUnderWay)
        m_findingsOverruled = true;
    for (std::size_t i = 1; i < m_choices.size(); ++i) {
        ColorChoice& choice = m_choices[i];
        if (choice.notFound)
            touch();
        choice.ticked = choice.ticked || choice.notFound;
        choice.notFound = false;
    }
}

void Document::restoreColorChoices(const std::array<ColorChoice, 8>& choices)
{
    std::array<bool, 8> before = ticks();
    for (std::size_t i = 1; i < choices.size(); ++i) {
        if (m_choices[i] != choices[i])
            touch();
        m_choices[i] = choices[i];
    }
    if (before != ticks())
        markOutOfDate(kChangedColors);
}

void Document::setMassItems(aero::MassList items)
{
    if (items != m_masses)
        touch();
    m_masses = std::move(items);
}

void Document::setAdviceChoice(const aero::AdviceChoice& choice)
{
    if (std::exchange(m_advice, choice) != choice)
        touch();
}

Result<PreparedRun> Document::prepareFields(SmallScale small) const
{
    PreparedRun run;
    AnalysisInputs& in = run.inputs;
    in.toleranceText = m_toleranceText;
    in.scaleText = m_scaleText;
    in.altitudeText = m_altitudeText;
    in.machText = m_machText;
    in.ticked = ticks();
    in.languageIndex = m_languageIndex;
    in.decimalSeparator = m_shownSeparator;
    in.localeSeparator = m_typedSeparator;
    in.threads = m_threads;
    in.unit = m_unit;
    in.balance = m_balance;
    const Result<RunSetup> setup = PrepareRun(in, small);
    if (!setup)
        return setup.error();
    run.setup = *setup;
    in.OriginX = m_origin.x;
    in.OriginY = m_origin.y;
    in.OriginRow = m_origin.row;
    run.originColumn = m_origin.column;
    if (run.setup.scaleReplaced) {
        // The run measures at 1, from the origin's pixel as 1 places it.
        in.OriginX = m_origin.column;
        in.OriginY = m_origin.row;
    }
    run.objects = m_objects;
    return run;
}

Result<PreparedRun> Document::prepareRun(SmallScale small, QSize pictureSize) const
{
    Result<PreparedRun> run = prepareFields(small);
    if (!run)
        return run;
    if (std::optional<Error> refusal =
            RefuseRun(run->setup, run->inputs, run->objects, pictureSize.width(), pictureSize.height()))
        return *refusal;
    return run;
}

std::optional<Error> Document::refuseDragFields() const
{
    for (const auto& [text, field] :
         {std::pair{&m_altitudeText, Field::Altitude}, std::pair{&m_machText, Field::Mach}}) {
        if (const Result<double> number = ReadDragField(*text, field, m_typedSeparator); !number)
            return number.error();
    }
    return std::nullopt;
}

void Document::beginRun()
{
    m_lastRun.reset();
    m_staleReasons.clear();
    m_runUnderWay = true;
    m_findingsOverruled = false;
}

void Document::finishRun(std::optional<LastRun> completed)
{
    m_runUnderWay = false;
    if (!completed) {
        // Nothing is shown that could be out of date; the ticks stay as the
        // user set them, since an ended run has not looked at every colour.
        m_staleReasons.clear();
        return;
    }
    takeMeasures(completed->objects);
    if (!m_findingsOverruled) {
        for (std::size_t i = 1; i < m_choices.size(); ++i)
            if (completed->inputs.ticked[i] && !completed->objects[i].Found &&
                std::exchange(m_choices[i], ColorChoice{false, true}) != ColorChoice{false, true})
                touch();
    }
    m_lastRun = std::move(completed);
    translateLastRun();
}

void Document::takeMeasures(const ColorObjectTable& measured)
{
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        ColorObject taken = measured[i];
        taken.Weight = m_objects[i].Weight;
        taken.Name = m_objects[i].Name;
        m_objects[i] = std::move(taken);
    }
}

void Document::forgetLastRun()
{
    m_lastRun.reset();
    m_staleReasons.clear();
}

void Document::markOutOfDate(const Message& what)
{
    if (!m_runUnderWay && !m_lastRun)
        return;
    if (std::find(m_staleReasons.begin(), m_staleReasons.end(), &what) == m_staleReasons.end())
        m_staleReasons.push_back(&what);
}

// The last run's names, grid rows and report in the document's language.
void Document::translateLastRun()
{
    if (!m_lastRun || m_lastRun->inputs.languageIndex == m_languageIndex)
        return;
    LastRun& run = *m_lastRun;
    AssignColorsAndNames(run.objects, m_languageIndex);
    run.inputs.languageIndex = m_languageIndex;
    const RunValues& values = run.result.values;
    run.result.gridRows =
        GridRows(run.objects, values.CGPoint, values.ACPoint, run.inputs.decimalSeparator, m_languageIndex);
    if (run.result.drag)
        run.result.report =
            ReportLines(values.width, values.height, values.ScaleFactor, *run.result.drag, m_languageIndex,
                        run.inputs.decimalSeparator, run.inputs.unit, run.result.matches) +
            BalanceLines(run.result.balance, run.result.noBalance, m_languageIndex, run.inputs.decimalSeparator,
                         run.inputs.unit);
}

} // namespace centrafix
