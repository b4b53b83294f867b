#include "module_file.h"

#include <QFile>

#include <cstring>
#include <string>

#include <link.h>

namespace centrafix {
namespace {

constexpr Message kNoLibrary{"keine ladbare Bibliothek dieses Systems", "not a loadable library of this system"};
constexpr Message kCutShort{"die Datei ist unvollständig: %1 Bytes, ihre Teile reichen bis %2",
                            "the file is incomplete: %1 bytes, its parts reach to %2"};

// The class of this program's own objects: a module of the other width does
// not load.
constexpr unsigned char kOwnClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

// Whether [offset, offset + length) lies within a file of `size` bytes.
bool Within(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

} // namespace

std::optional<Error> CheckModuleFile(const QString& path, const Message& cannotLoad)
{
    const auto refused = [&](ErrorArg why) { return Described(path.toStdString(), cannotLoad, {std::move(why)}); };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString().toStdString());
    const std::uint64_t size = static_cast<std::uint64_t>(file.size());
    ElfW(Ehdr) header{};
    if (file.read(reinterpret_cast<char*>(&header), sizeof header) != sizeof header ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != kOwnClass ||
        header.e_phentsize != sizeof(ElfW(Phdr)))
        return refused(ErrorArg(kNoLibrary));
    const std::uint64_t table = std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr));
    if (!Within(header.e_phoff, table, size) || !file.seek(static_cast<qint64>(header.e_phoff)))
        return refused(ErrorArg(kCutShort, {std::to_string(size), std::to_string(header.e_phoff + table)}));
    bool complete = true;
    std::uint64_t needed = 0; // only for the message
    for (int i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) part{};
        if (file.read(reinterpret_cast<char*>(&part), sizeof part) != sizeof part)
            return refused(ErrorArg(kNoLibrary));
        if (part.p_type != PT_LOAD && part.p_type != PT_DYNAMIC)
            continue;
        complete = complete && Within(part.p_offset, part.p_filesz, size);
        needed = std::max<std::uint64_t>(needed, part.p_offset + part.p_filesz);
    }
    if (!complete)
        return refused(ErrorArg(kCutShort, {std::to_string(size), std::to_string(needed)}));
    return std::nullopt;
}

} // namespace centrafix
