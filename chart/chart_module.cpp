#include "chart_module.h"
#include "chart_file.h"

#include <QApplication>

namespace centrafix {
namespace {

QCoreApplication* MakeApplication(int& argc, char** argv)
{
    return new QApplication(argc, argv);
}

constexpr ChartModule kModule{CENTRAFIX_VERSION, MakeApplication, WriteChartFile};

} // namespace
} // namespace centrafix

extern "C" __attribute__((visibility("default"))) const centrafix::ChartModule* centrafix_chart_module()
{
    return &centrafix::kModule;
}
