// The layers as the code includes them: each folder reaches only the folders
// below it, the plain C++ layers include no Qt, and no file includes itself
// round a circle. Read from the sources, so that an include added in the wrong
// direction fails here rather than in a review.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot{CENTRAFIX_SOURCE_DIR};

// What each folder may include besides itself. A sub-folder of picture/ is a
// layer of its own: the player may use the readers' limits, the readers only
// what they need of files/, and none of them the top of picture/.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"aero", {}},
    {"engine", {"aero"}},
    {"picture/files", {"engine", "aero"}},
    {"picture/formats", {"picture/files", "engine", "aero"}},
    {"picture/metafile", {"picture/formats", "picture/files", "engine", "aero"}},
    {"picture/edits", {"picture/formats", "picture/files", "engine", "aero"}},
    {"picture", {"picture/edits", "picture/metafile", "picture/formats", "picture/files", "engine", "aero"}},
    // The printed report draws the picture's marks; nothing below it knows it.
    {"picture/report", {"picture", "picture/files", "engine", "aero"}},
    {"chart", {"picture", "picture/files", "engine", "aero"}},
    {"document",
     {"picture", "picture/edits", "picture/metafile", "picture/formats", "picture/files", "engine", "aero"}},
    {"shell",
     {"document", "chart", "picture", "picture/edits", "picture/metafile", "picture/formats", "picture/files",
      "picture/report", "engine", "aero"}},
    {"cli",
     {"document", "chart", "picture", "picture/edits", "picture/metafile", "picture/formats", "picture/files",
      "picture/report", "engine", "aero"}},
};

struct Source {
    std::string folder;                // as kMayInclude names it
    std::vector<std::string> includes; // quoted includes, as written
    std::vector<std::string> systemIncludes;
};

std::map<fs::path, Source> ReadSources()
{
    static const std::regex quoted(R"re(^\s*#\s*include\s+"([^"]+)")re");
    static const std::regex angled(R"re(^\s*#\s*include\s+<([^>]+)>)re");
    std::map<fs::path, Source> sources;
    for (const auto& [folder, allowed] : kMayInclude) {
        for (const fs::directory_entry& entry : fs::directory_iterator(kRoot / folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
                continue;
            Source source{folder, {}, {}};
            std::ifstream in(path);
            for (std::string line; std::getline(in, line);) {
                std::smatch m;
                if (std::regex_search(line, m, quoted))
                    source.includes.push_back(m[1]);
                else if (std::regex_search(line, m, angled))
                    source.systemIncludes.push_back(m[1]);
            }
            sources.emplace(fs::relative(path, kRoot), std::move(source));
        }
    }
    return sources;
}

// The file a quoted include names: beside the includer first, then from the
// top of the tree, as the build's include paths find it.
fs::path Resolve(const fs::path& includer, const std::string& name)
{
    const fs::path beside = includer.parent_path() / name;
    if (fs::exists(kRoot / beside))
        return beside.lexically_normal();
    return fs::path(name).lexically_normal();
}

std::string FolderOf(const fs::path& file)
{
    return file.parent_path().generic_string();
}

} // namespace

TEST(Layers, EachFolderIncludesOnlyTheFoldersBelowIt)
{
    const std::map<fs::path, Source> sources = ReadSources();
    ASSERT_GT(sources.size(), 100U) << "the sources were not found under " << kRoot;
    for (const auto& [file, source] : sources) {
        const std::set<std::string>& allowed = kMayInclude.at(source.folder);
        for (const std::string& name : source.includes) {
            const fs::path target = Resolve(file, name);
            if (!fs::exists(kRoot / target))
                continue; // generated or a library's own header
            const std::string folder = FolderOf(target);
            EXPECT_TRUE(folder == source.folder || allowed.count(folder) != 0)
                << file.generic_string() << " includes " << target.generic_string();
        }
    }
}

TEST(Layers, ThePlainLayersUseNoQtAndTheDocumentNoWidgets)
{
    // Printing is the window's: the report below it draws on any paged device.
    static const std::set<std::string> widgets = {"QWidget",     "QApplication", "QMainWindow", "QDialog",
                                                  "QMessageBox", "QAction",      "QPushButton", "QLabel",
                                                  "QPrinter",    "QPrintDialog"};
    for (const auto& [file, source] : ReadSources()) {
        for (const std::string& name : source.systemIncludes) {
            if (source.folder == "aero" || source.folder == "engine") {
                EXPECT_FALSE(name.rfind("Q", 0) == 0) << file.generic_string() << " includes <" << name << ">";
            }
            if (source.folder == "document" || source.folder.rfind("picture", 0) == 0) {
                EXPECT_EQ(widgets.count(name), 0U) << file.generic_string() << " includes <" << name << ">";
            }
        }
    }
}

TEST(Layers, NoFileReachesItselfThroughItsIncludes)
{
    const std::map<fs::path, Source> sources = ReadSources();
    std::map<fs::path, std::vector<fs::path>> edges;
    for (const auto& [file, source] : sources)
        for (const std::string& name : source.includes)
            if (const fs::path target = Resolve(file, name); sources.count(target) != 0)
                edges[file].push_back(target);

    // Depth-first search; a file met again while still on the path closes a
    // circle, which is reported with the path that led there.
    enum class Mark { New, OnPath, Done };
    std::map<fs::path, Mark> marks;
    std::vector<fs::path> path;
    std::vector<std::string> circles;
    std::function<void(const fs::path&)> visit = [&](const fs::path& file) {
        marks[file] = Mark::OnPath;
        path.push_back(file);
        for (const fs::path& next : edges[file]) {
            if (marks[next] == Mark::OnPath) {
                std::string circle;
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it)
                    circle += it->generic_string() + " -> ";
                circles.push_back(circle + next.generic_string());
            } else if (marks[next] == Mark::New) {
                visit(next);
            }
        }
        path.pop_back();
        marks[file] = Mark::Done;
    };
    for (const auto& [file, source] : sources)
        if (marks[file] == Mark::New)
            visit(file);
    EXPECT_EQ(circles, std::vector<std::string>{});
}
