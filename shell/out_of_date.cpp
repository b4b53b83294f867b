#include "out_of_date.h"

#include "engine/number_text.h"

namespace centrafix {

std::string OutOfDateText(const Message& form, const std::vector<const Message*>& changes, int languageIndex)
{
    std::string named;
    for (const Message* change : changes) {
        if (!named.empty())
            named += ", ";
        named += Tr(*change, languageIndex);
    }
    return Tr(form, languageIndex, {named});
}

std::string RunInputsText(const AnalysisInputs& inputs, const RunSetup& setup, int languageIndex,
                          std::string_view decimalSeparator)
{
    std::string scale = FormatGeneral(setup.ScaleFactor, decimalSeparator);
    if (!inputs.unit.empty())
        scale += ' ' + inputs.unit;
    return Tr(kFromLastRun, languageIndex,
              {scale, FormatGeneral(inputs.OriginX, decimalSeparator), FormatGeneral(inputs.OriginY, decimalSeparator),
               inputs.toleranceText, inputs.altitudeText, inputs.machText});
}

} // namespace centrafix
