#include "project_options.h"

namespace centrafix {
namespace {

constexpr Message kProjectAmongPictures{
    "%1: ein Projekt (.cfx) wird allein analysiert, nicht unter mehreren Bildern.",
    "%1: a project (.cfx) is analyzed on its own, not among several pictures."};
constexpr Message kSaveProjectNeedsFile{"--save-project braucht einen Dateinamen.",
                                        "--save-project needs a file name."};
constexpr Message kSaveProjectForOne{"--save-project gilt für ein Bild, nicht für mehrere.",
                                     "--save-project is for one picture, not several."};

} // namespace

std::optional<Error> ReadProjectOptions(const QCommandLineParser& parser, const BatchOptionSet& set,
                                        BatchOptions& options)
{
    if (options.many) {
        for (const QString& picture : options.picturePaths) {
            if (IsProjectPath(picture))
                return Described({}, kProjectAmongPictures, {picture.toStdString()});
        }
    } else if (options.picturePath && IsProjectPath(*options.picturePath)) {
        Result<OpenedProject> opened = ReadProjectFile(*options.picturePath);
        if (!opened)
            return opened.error();
        options.projectNote = std::move(opened->pictureNote);
        options.project = std::make_shared<const Project>(std::move(opened->project));
        // The balance options below change only what they name.
        options.inputs.balance = options.project->balance;
    }
    if (parser.isSet(set.saveProject)) {
        options.saveProjectPath = parser.value(set.saveProject);
        if (options.saveProjectPath.isEmpty())
            return Described({}, kSaveProjectNeedsFile);
        if (options.many)
            return Described({}, kSaveProjectForOne);
    }
    return std::nullopt;
}

} // namespace centrafix
