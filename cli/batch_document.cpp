#include "batch_document.h"

namespace centrafix {

Document BatchDocument(const BatchOptions& options, const std::string& shownSeparator)
{
    const AnalysisInputs& in = options.inputs;
    Document document(in.languageIndex);
    document.setSeparators(shownSeparator, in.localeSeparator);
    document.setThreads(in.threads);
    if (options.project) {
        ApplyProject(*options.project, document);
        // The run that saved it looked for the colours it did not find.
        document.forgetNotFound();
    }
    document.setToleranceText(in.toleranceText);
    document.setScaleText(in.scaleText);
    document.setAltitudeText(in.altitudeText);
    document.setMachText(in.machText);
    document.setUnit(in.unit);
    // --origin is a pixel; its scaled position needs the scale. Without a
    // usable one the run is refused for the scale before the origin counts.
    // A project's origin stays as saved (a typed one as typed).
    if (!options.project || options.originGiven)
        (void)document.placeOrigin(options.originColumn, options.originRow);
    for (int i = 1; i <= kObjectCount; ++i)
        document.setWeight(i, options.weights[static_cast<std::size_t>(i)]);
    if (!options.project || options.colorsGiven)
        document.setTicks(in.ticked);
    document.setBalanceSettings(in.balance);
    // A project's list when no other was given (the options took it over).
    document.setMassItems(options.masses.value_or(aero::MassList{}));
    document.setAdviceChoice(options.advice);
    return document;
}

} // namespace centrafix
