#include "chart_writer.h"

#include "module_file.h"

#include <QFileInfo>
#include <QLibrary>

#include <cstring>
#include <string>

namespace centrafix {
namespace {

constexpr Message kMissing{"das Modul zum Schreiben von Diagrammen fehlt", "the module that writes charts is missing"};
constexpr Message kCannotLoad{"das Modul zum Schreiben von Diagrammen kann nicht geladen werden (%1)",
                              "the module that writes charts cannot be loaded (%1)"};
constexpr Message kOtherVersion{"das Modul zum Schreiben von Diagrammen gehört zu Version %1, nicht zu %2",
                                "the module that writes charts belongs to version %1, not %2"};

QString ModulePath()
{
    // The program's own folder, also before Qt's application object exists.
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QFileInfo(programFolder + QStringLiteral("/../" CENTRAFIX_MODULE_DIR "/") + kChartModuleFile)
        .absoluteFilePath();
}

Result<const ChartModule*> Load()
{
    const QString path = ModulePath();
    if (!QFileInfo::exists(path))
        return Described(path.toStdString(), kMissing);
    // Checked before it is mapped: a module cut short would load and then
    // kill the program on first use.
    if (std::optional<Error> problem = CheckModuleFile(path, kCannotLoad))
        return *problem;
    QLibrary library(path); // stays loaded when this goes
    if (!library.load())
        return Described(path.toStdString(), kCannotLoad, {library.errorString().toStdString()});
    using Entry = const ChartModule* (*)();
    const auto entry = reinterpret_cast<Entry>(library.resolve(kChartModuleEntry));
    if (!entry)
        return Described(path.toStdString(), kCannotLoad, {library.errorString().toStdString()});
    const ChartModule* module = entry();
    if (std::strcmp(module->version, CENTRAFIX_VERSION) != 0)
        return Described(path.toStdString(), kOtherVersion,
                         {std::string(module->version), std::string(CENTRAFIX_VERSION)});
    return module;
}

} // namespace

Result<const ChartModule*> LoadChartWriter()
{
    static const Result<const ChartModule*> loaded = Load();
    return loaded;
}

} // namespace centrafix
