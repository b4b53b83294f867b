#include "batch_observer.h"

namespace centrafix {

BatchObserver::BatchObserver(PictureArea* display, const AnalysisInputs& inputs, PlotChoice choice)
    : m_display(display),
      m_inputs(inputs),
      m_choice(choice)
{}

void BatchObserver::plotRequested(const ColorObjectTable& objects, const RunValues& values)
{
    if (m_display == nullptr)
        return;
    PlotResults(*m_display, objects, values, m_inputs.OriginX, m_inputs.OriginY, m_choice, m_inputs.languageIndex);
}

} // namespace centrafix
