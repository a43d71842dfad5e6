#include "tools/ToolSupport.h"

#include "history/VersionStore.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "model/SafeFile.h"
#include "model/TextEncoding.h"
#include "platform/AppPaths.h"
#include "platform/ProjectKey.h"
#include "platform/posix/MappedFile.h"
#include "search/engine/FileSearch.h"
#include "search/engine/SearchScope.h"

#include <QLoggingCategory>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <new>
#include <ostream>
#include <system_error>

namespace ardenvo::tool {

namespace {

std::int32_t int32At(std::string_view bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return static_cast<std::int32_t>(v);
}

constexpr std::size_t kDescriptionColumn = 34;

} // namespace

std::string usageEntry(const std::vector<std::string>& synopsis,
                       const std::vector<std::string>& description) {
    std::vector<std::string> lines;
    for (const auto& part : synopsis) {
        if (lines.empty()) {
            lines.push_back("ardenvo-tool " + part);
        } else {
            const std::size_t option = lines.front().find('[');
            lines.push_back(std::string(option == std::string::npos ? 0 : option, ' ') + part);
        }
    }
    std::size_t first = 0;
    if (lines.size() == 1 && !description.empty() &&
        lines.front().size() + 3 <= kDescriptionColumn) {
        lines.front().resize(kDescriptionColumn, ' ');
        lines.front() += description.front();
        first = 1;
    }
    for (std::size_t i = first; i < description.size(); ++i)
        lines.push_back(std::string(kDescriptionColumn, ' ') + description[i]);
    std::string entry;
    for (const auto& line : lines)
        entry += (entry.empty() ? "" : "\n") + line;
    return entry;
}

void printUsage(std::ostream& os, const std::string& entry) {
    const std::string prefix = "Usage: ";
    os << prefix;
    for (char c : entry) {
        os << c;
        if (c == '\n')
            os << std::string(prefix.size(), ' ');
    }
    os << '\n';
}

void reportError(std::ostream& err, const std::string& message) {
    err << "ardenvo-tool: " << message << '\n';
}

bool takeOneFile(const std::vector<std::string>& args, const std::string& usage,
                 std::ostream& err) {
    if (args.size() == 1 && !args.front().empty())
        return true;
    printUsage(err, usage);
    return false;
}

bool mapHouse(const std::string& path, MappedFile& file, std::ostream& err, HouseUse use) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        reportError(err, "No such file: " + path);
        return false;
    }
    if (status.type() == fs::file_type::regular) {
        std::string error;
        if (use == HouseUse::Change && !finishInterruptedCopy(path, &error)) {
            reportError(err, error);
            return false;
        }
        // Read-only commands leave it be, but the house they read is not the one last saved.
        if (const std::string waiting = waitingCopyOf(path); !waiting.empty())
            reportError(err, "warning: an interrupted save left the complete new " + path + " in " +
                                 waiting +
                                 "; opening the house to change it (in Ardenvo, the reminder "
                                 "program or reset) copies it in");
    }
    if (ec) {
        reportError(err, "Cannot read " + path + ": " + ec.message());
        return false;
    }
    // Devices and pipes could block or never end; a house is always a plain file.
    if (status.type() != fs::file_type::regular) {
        reportError(err, "Not a file: " + path);
        return false;
    }

    // Mapped, not copied: a one-shot command would otherwise spend more time having the kernel
    // hand out fresh pages for a copy of the file than reading the house from it.
    if (int error = 0; !file.open(path, kMaxProjectFileBytes, &error)) {
        if (error == EFBIG)
            reportError(err, path + ": " + fileErrorMessage(FileError::UnexpectedFormat));
        else if (error == ENOMEM)
            reportError(err, "Not enough memory to read " + path);
        else if (error == EINVAL)
            reportError(err, "Not a file: " + path);
        else
            reportError(err, "Cannot read " + path + ": " + std::strerror(error));
        return false;
    }
    return true;
}

bool readMappedHouse(const std::string& path, const MappedFile& file, std::ostream& err,
                     const std::function<FileError()>& read) {
    FileError result = FileError::None;
    try {
        result = read();
    } catch (const std::bad_alloc&) {
        reportError(err, "Not enough memory to read " + path);
        return false;
    }
    if (!file.intact()) {
        reportError(err, "Cannot read " + path + ": the file changed or could not be read");
        return false;
    }
    if (result != FileError::None) {
        reportError(err, path + ": " + fileErrorMessage(result));
        return false;
    }
    return true;
}

bool loadHouse(const std::string& path, CBrenvikaDoc& doc, std::ostream& err, FileHeader* header,
               HouseUse use) {
    MappedFile file;
    if (!mapHouse(path, file, err, use))
        return false;
    // The house keeps copies of its texts: the pages read are let go as the reader moves on, so
    // the file does not stay in memory beside the house it became.
    const ConsumedBytes release = [&file](std::size_t consumed) {
        file.release(consumed);
    };
    if (!readMappedHouse(path, file, err, [&] { return readProject(file.bytes(), doc, release); }))
        return false;
    if (const std::string_view bytes = file.bytes(); header && bytes.size() >= 8)
        *header = {int32At(bytes, 0), int32At(bytes, 4)};
    file.release(file.bytes().size());
    // What building the house freed on the general heap goes back too (the lists that grew as
    // they were read): a one-shot command's peak is the house it ends with.
    ::malloc_trim(0);
    return true;
}

CBrenvikaDoc& oneShotHouse() {
    static CBrenvikaDoc* const house = std::make_unique<CBrenvikaDoc>().release();
    return *house;
}

std::string lineField(std::string_view text) {
    const std::string readable = readableUtf8(text);
    std::string result;
    result.reserve(readable.size());
    const auto hex = [&result](unsigned char byte) {
        char shown[4];
        result.append(shown, writeByteEscape(shown, byte));
    };
    for (std::size_t i = 0; i < readable.size(); ++i) {
        const auto c = static_cast<unsigned char>(readable[i]);
        switch (c) {
        case '\\':
            result += "\\\\";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        default:
            // Other control characters, C1 ones (U+0080 to U+009F) too, could move the cursor or
            // recolour a terminal: shown as the bytes they are.
            if (c < 0x20 || c == 0x7F) {
                hex(c);
            } else if (c == 0xC2 && i + 1 < readable.size() &&
                       static_cast<unsigned char>(readable[i + 1]) >= 0x80 &&
                       static_cast<unsigned char>(readable[i + 1]) <= 0x9F) {
                hex(c);
                hex(static_cast<unsigned char>(readable[++i]));
            } else {
                result += static_cast<char>(c);
            }
        }
    }
    return result;
}

void silenceQtWarnings() {
    QLoggingCategory::setFilterRules(QStringLiteral("*.warning=false"));
}

bool replaceHouse(const std::string& path, const CBrenvikaDoc& doc, std::ostream& err) {
    const KeepOutcome kept = keepEarlierVersion(path, projectKey(path));
    if (kept.result == KeepOutcome::Result::Failed)
        reportError(err, "warning: the earlier version of " + path +
                             " could not be kept: " + kept.error);
    std::string error;
    if (!replaceFileSafely(path, writeProject(doc), true, &error)) {
        reportError(err, path + ": " + fileErrorMessage(FileError::SaveFailed) + " " + error);
        return false;
    }
    return true;
}

int finishOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out)
        return 0;
    reportError(err, "Failed to write the output");
    return kExitFailure;
}

std::string mainProgramImages() {
    namespace fs = std::filesystem;
    const fs::path toolDir = AppPaths::programDirectory();
    std::error_code ec;
    for (const fs::path& dir : {toolDir, toolDir.parent_path() / "bin"}) {
        if (fs::is_regular_file(dir / "ardenvo", ec))
            return AppPaths::dataDirectoryFor(dir.string()) + "/Images";
    }
    return AppPaths::dataDirectory() + "/Images";
}

namespace {

// The blocks named "SECTION/BLOCK", over a house of `shape` whose names `name(section, block)`
// gives as "SECTION/BLOCK".
template <typename Name>
bool selectNamedRooms(const std::vector<std::size_t>& shape, Name name,
                      const std::vector<std::string>& rooms, SearchScope& scope,
                      std::ostream& err) {
    if (rooms.empty()) {
        scope = SearchScope::wholeHouse(shape);
        return true;
    }
    scope = SearchScope(shape);
    for (const std::string& room : rooms) {
        bool found = false;
        for (std::size_t s = 0; s < shape.size(); ++s) {
            for (std::size_t b = 0; b < shape[s]; ++b) {
                if (name(s, b) == room) {
                    scope.setSearched(s, b, true);
                    found = true;
                }
            }
        }
        if (!found) {
            reportError(err, "no room or hall \"" + room + "\" in the house");
            return false;
        }
    }
    return true;
}

} // namespace

bool selectRooms(const CBrenvikaDoc& doc, const std::vector<std::string>& rooms, SearchScope& scope,
                 std::ostream& err) {
    std::vector<std::size_t> shape;
    for (const auto& section : doc.sections())
        shape.push_back(section->blocks().size());
    const auto name = [&doc](std::size_t s, std::size_t b) {
        const CSection& section = *doc.sections()[s];
        return section.name + "/" + section.blocks()[b]->name;
    };
    return selectNamedRooms(shape, name, rooms, scope, err);
}

bool selectRooms(const FileSearch& search, const std::vector<std::string>& rooms,
                 SearchScope& scope, std::ostream& err) {
    const auto name = [&search](std::size_t s, std::size_t b) {
        std::string text(search.sectionName(s));
        text += '/';
        text += search.blockName(s, b);
        return text;
    };
    return selectNamedRooms(search.shape(), name, rooms, scope, err);
}

std::string mainProgramDocuments() {
    return (std::filesystem::path(mainProgramImages()).parent_path() / "Documents").string();
}

} // namespace ardenvo::tool
