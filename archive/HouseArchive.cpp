#include "archive/HouseArchive.h"

#include "history/HouseDiff.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "platform/posix/FileNames.h"
#include "platform/posix/FolderFiles.h"
#include "platform/posix/SafeFile.h"
#include "platform/posix/UniqueFd.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace ardenvo {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 1 << 20;
constexpr const char* kImagesPrefix = "Images/";
constexpr const char* kDocumentsPrefix = "Documents/";
constexpr const char* kIndexName = "index.txt";
constexpr const char* kDocumentsCategory = "Documents";
// More entries than any house has pictures: a hostile archive would only make us walk them.
constexpr zip_int64_t kMostEntries = 200000;
// Room left on the disk after a file is taken.
constexpr std::uint64_t kSpareRoom = 64ull * 1024 * 1024;

using Fd = UniqueFd;

std::string zipMessage(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// A file named by a house, inside `folder` only.
struct Located {
    std::string path;
    std::string problem;
    std::uint64_t size = 0;
};

Located locateIn(const std::string& folder, const std::string& name, const char* folderWords) {
    Located result;
    const fs::path relative(name);
    bool climbs = false;
    for (const fs::path& part : relative)
        climbs = climbs || part == "..";
    if (name.empty() || relative.is_absolute() || climbs) {
        result.problem = std::string("the name leads outside the ") + folderWords;
        return result;
    }
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(folder, ec);
    const fs::path file = fs::weakly_canonical(fs::path(folder) / relative, ec);
    const std::string rootText = root.string() + "/";
    if (ec || file.string().compare(0, rootText.size(), rootText) != 0) {
        result.problem = std::string("the name leads outside the ") + folderWords;
        return result;
    }
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        result.problem = std::strerror(errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.problem = "not a plain file";
        return result;
    }
    result.path = file.string();
    result.size = static_cast<std::uint64_t>(st.st_size);
    return result;
}

void collectObject(const CHouseObject& object, std::vector<std::string>& pictures,
                   std::vector<std::string>& documents) {
    for (const auto& p : object.pictures.entries())
        pictures.push_back(p->value.str());
    for (const auto& category : object.categories())
        if (category->title == kDocumentsCategory)
            for (const auto& field : category->entries())
                documents.push_back(field->value.str());
    for (int p = 0; p < kNestPositionCount; ++p)
        for (const auto& child : object.children(static_cast<NestPosition>(p)))
            collectObject(*child, pictures, documents);
}

std::vector<std::string> uniqueInOrder(const std::vector<std::string>& names) {
    std::set<std::string> seen;
    std::vector<std::string> out;
    for (const std::string& name : names)
        if (!name.empty() && seen.insert(name).second)
            out.push_back(name);
    return out;
}

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

struct ProgressState {
    const ArchiveProgress* progress = nullptr;
    bool stopped = false;
};

void progressCallback(zip_t*, double fraction, void* state) {
    auto* s = static_cast<ProgressState*>(state);
    if (!(*s->progress)(fraction))
        s->stopped = true;
}

int cancelCallback(zip_t*, void* state) {
    return static_cast<ProgressState*>(state)->stopped ? 1 : 0;
}

// Why an entry's name is refused, or "" for a name that stays inside the archive's own folders.
std::string nameProblem(const std::string& name) {
    if (name.empty())
        return "an empty name";
    if (name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        return "an absolute path";
    if (name.find('\\') != std::string::npos)
        return "a name with a backslash";
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F)
            return "a name with control characters";
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..")
            return "a path that leads outside the folder";
        if (part == "." || (part.empty() && end != name.size()))
            return "not a plain path";
        start = end + 1;
    }
    return {};
}

// Reads a whole entry into `sink`, never more than it says it holds nor than `limit`.
bool readEntry(zip_t* archive, zip_uint64_t index, std::uint64_t declared, std::uint64_t limit,
               const std::function<bool(const char*, std::size_t)>& sink, std::string& problem,
               const std::function<void(std::uint64_t)>& advanced) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file) {
        problem = std::string("cannot be read: ") + zip_strerror(archive);
        return false;
    }
    std::string buffer(kChunk, '\0');
    std::uint64_t total = 0;
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
        if (n < 0) {
            problem = std::string("damaged: ") + zip_file_strerror(file);
            ok = false;
            break;
        }
        if (n == 0)
            break;
        total += static_cast<std::uint64_t>(n);
        if (total > declared || total > limit) {
            problem = "larger than it says (a damaged or crafted archive)";
            ok = false;
            break;
        }
        if (!sink(buffer.data(), static_cast<std::size_t>(n))) {
            problem = std::strerror(errno);
            ok = false;
            break;
        }
        advanced(static_cast<std::uint64_t>(n));
    }
    zip_fclose(file);
    if (ok && total != declared) {
        problem = "shorter than it says (a damaged archive)";
        ok = false;
    }
    return ok;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool sameContent(int a, const std::string& path) {
    Fd b(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    struct stat sa {
    }, sb{};
    if (b.get() < 0 || ::fstat(a, &sa) != 0 || ::fstat(b.get(), &sb) != 0 || !S_ISREG(sb.st_mode) ||
        sa.st_size != sb.st_size)
        return false;
    std::string x(kChunk, '\0'), y(kChunk, '\0');
    for (off_t at = 0; at < sa.st_size;) {
        const ssize_t ra = ::pread(a, x.data(), kChunk, at);
        const ssize_t rb = ::pread(b.get(), y.data(), kChunk, at);
        if (ra <= 0 || ra != rb || std::memcmp(x.data(), y.data(), static_cast<std::size_t>(ra)))
            return false;
        at += ra;
    }
    return true;
}

// The no-overwrite rule: the file written to `fd` (unnamed, in `folder`) takes `wanted`, or
// "NAME 2.EXT" and on where another file has the name; a file of the same content is used as it
// is. The name it is kept under, or "" (errno set).
std::string keepUnderFreeName(int fd, const std::string& folder, const std::string& wanted) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int n = 1; n <= 10000; ++n) {
        const std::string name = numberedName(wanted, n);
        const std::string target = folder + "/" + name;
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno != EEXIST)
            return {};
        if (sameContent(fd, target))
            return name;
    }
    errno = EEXIST;
    return {};
}

class Importer {
public:
    Importer(const HouseFolders& folders, const ArchiveProgress& progress)
        : m_folders(folders), m_progress(progress) {}

    ArchiveImport run(const std::string& zipPath) {
        int code = 0;
        zip_t* archive = zip_open(zipPath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
        if (!archive) {
            m_result.error = zipPath + ": not a readable ZIP archive (" + zipMessage(code) + ")";
            return m_result;
        }
        takeEntries(archive);
        zip_discard(archive);
        if (m_result.error.empty() && m_result.houseName.empty())
            m_result.error = zipPath + ": the archive holds no house (.av file)";
        if (m_result.error.empty())
            rewriteHouse();
        m_result.ok = m_result.error.empty();
        return m_result;
    }

private:
    struct Entry {
        zip_uint64_t index;
        std::string name;
        std::uint64_t size;
    };

    void takeEntries(zip_t* archive) {
        const zip_int64_t count = zip_get_num_entries(archive, 0);
        if (count > kMostEntries) {
            m_result.error = "the archive holds too many entries to be a house's";
            return;
        }
        std::vector<Entry> house, files;
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto index = static_cast<zip_uint64_t>(i);
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(archive, index, ZIP_FL_ENC_RAW, &st) != 0 ||
                !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE)) {
                m_result.skipped.push_back("entry " + std::to_string(i) + ": cannot be read");
                continue;
            }
            const std::string name = st.name;
            const std::string shown = shownName(name);
            if (!name.empty() && name.back() == '/')
                continue; // a folder: what is in it counts
            if (const std::string problem = nameProblem(name); !problem.empty()) {
                skip(shown, problem);
                continue;
            }
            zip_uint8_t system = 0;
            zip_uint32_t attributes = 0;
            if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) == 0 &&
                system == ZIP_OPSYS_UNIX) {
                const mode_t mode = attributes >> 16;
                if (S_ISLNK(mode)) {
                    skip(shown, "a link");
                    continue;
                }
                if ((mode & S_IFMT) != 0 && !S_ISREG(mode)) {
                    skip(shown, "not a plain file");
                    continue;
                }
            }
            if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
                skip(shown, "encrypted");
                continue;
            }
            const bool top = name.find('/') == std::string::npos;
            if (top && name == kIndexName)
                continue; // written for people; the entries themselves say what is there
            const bool isHouse = top && name.size() > 3 && name.ends_with(".av");
            const bool isFile =
                name.starts_with(kImagesPrefix) || name.starts_with(kDocumentsPrefix);
            if (!isHouse && !isFile) {
                skip(shown, "not part of a house archive");
                continue;
            }
            const std::uint64_t limit = isHouse ? kMaxProjectFileBytes : kMaxArchivedFileBytes;
            if (st.size > limit) {
                skip(shown, "too large (" + std::to_string(st.size) + " bytes; at most " +
                                std::to_string(limit) + ")");
                continue;
            }
            if (isHouse && !house.empty()) {
                skip(shown, "a second house; only " + shownName(house.front().name) + " is taken");
                continue;
            }
            (isHouse ? house : files).push_back({index, name, st.size});
        }
        if (house.empty())
            return;
        for (const Entry& e : files)
            m_total += e.size;
        m_total += house.front().size;
        takeHouse(archive, house.front());
        if (!m_result.error.empty())
            return;
        for (const Entry& e : files) {
            if (!m_result.error.empty())
                return;
            takeFile(archive, e);
        }
    }

    void skip(const std::string& name, const std::string& reason) {
        m_result.skipped.push_back(name + ": " + reason);
    }

    bool advance(std::uint64_t bytes) {
        m_done += bytes;
        if (m_progress && !m_progress(m_total ? static_cast<double>(m_done) / m_total : 1.0)) {
            m_result.error = "Stopped.";
            return false;
        }
        return true;
    }

    void takeHouse(zip_t* archive, const Entry& entry) {
        std::string problem;
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(entry.size));
        if (!readEntry(
                archive, entry.index, entry.size, kMaxProjectFileBytes,
                [&](const char* data, std::size_t n) { return bytes.append(data, n), true; },
                problem, [&](std::uint64_t n) { advance(n); })) {
            m_result.error = shownName(entry.name) + ": " + problem;
            return;
        }
        m_result.houseName = entry.name;
        m_result.house = std::move(bytes);
    }

    void takeFile(zip_t* archive, const Entry& entry) {
        const bool picture = entry.name.starts_with(kImagesPrefix);
        const std::string& folder = picture ? m_folders.images : m_folders.documents;
        const std::string shown = shownName(entry.name);
        const std::string recorded =
            entry.name.substr(std::strlen(picture ? kImagesPrefix : kDocumentsPrefix));
        // A record naming a file in a folder below is kept under its last part: the file lands
        // in the folder itself, never below or beside it.
        const std::string wanted = fs::path(recorded).filename().string();
        if (m_done + entry.size > kMaxArchiveBytes) {
            skip(shown, "the archive holds more than can be taken at once");
            return;
        }
        if (folder.empty()) {
            skip(shown, "no folder to put it in");
            return;
        }
        std::error_code ec;
        fs::create_directories(folder, ec);
        // A crafted archive of many entries sharing one packed stream would fill the disk.
        if (struct statvfs room{};
            ::statvfs(folder.c_str(), &room) == 0 &&
            static_cast<std::uint64_t>(room.f_bavail) * room.f_frsize < entry.size + kSpareRoom) {
            skip(shown, "not enough room on the disk");
            return;
        }
        Fd out(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644));
        if (out.get() < 0) {
            skip(shown, folder + ": " + std::strerror(errno));
            return;
        }
        std::string problem;
        if (!readEntry(
                archive, entry.index, entry.size, kMaxArchivedFileBytes,
                [&](const char* data, std::size_t n) { return writeAll(out.get(), data, n); },
                problem, [&](std::uint64_t n) { advance(n); })) {
            if (!m_result.error.empty())
                return;
            skip(shown, problem);
            return;
        }
        const std::string kept = keepUnderFreeName(out.get(), folder, wanted);
        if (kept.empty()) {
            skip(shown, folder + ": " + std::strerror(errno));
            return;
        }
        ++(picture ? m_result.pictures : m_result.documents);
        if (kept != recorded) {
            (picture ? m_pictureNames : m_documentNames)[recorded] = kept;
            m_result.renamed.push_back({entry.name, kept});
        }
    }

    void renameIn(CHouseObject& object) {
        for (const auto& p : object.pictures.entries())
            if (auto found = m_pictureNames.find(p->value.str()); found != m_pictureNames.end())
                p->value = found->second;
        for (const auto& category : object.categories())
            if (category->title == kDocumentsCategory)
                for (const auto& field : category->entries())
                    if (auto found = m_documentNames.find(field->value.str());
                        found != m_documentNames.end())
                        field->value = found->second;
        for (int p = 0; p < kNestPositionCount; ++p)
            for (const auto& child : object.children(static_cast<NestPosition>(p)))
                renameIn(*child);
    }

    void rewriteHouse() {
        CBrenvikaDoc doc;
        if (const FileError error = readProject(m_result.house, doc); error != FileError::None) {
            m_result.error = shownName(m_result.houseName) + ": " + fileErrorMessage(error);
            return;
        }
        // Untouched, the house keeps its very bytes.
        if (m_pictureNames.empty() && m_documentNames.empty())
            return;
        for (const auto& section : doc.sections())
            for (const auto& block : section->blocks()) {
                for (const auto& p : block->pictures.entries())
                    if (auto found = m_pictureNames.find(p->value.str());
                        found != m_pictureNames.end())
                        p->value = found->second;
                for (const auto& object : block->floorObjects())
                    renameIn(*object);
            }
        m_result.house = writeProject(doc);
    }

    const HouseFolders& m_folders;
    const ArchiveProgress& m_progress;
    ArchiveImport m_result;
    std::uint64_t m_total = 0;
    std::uint64_t m_done = 0;
    std::map<std::string, std::string> m_pictureNames, m_documentNames;
};

} // namespace

HouseFileNames fileNamesOf(const CBrenvikaDoc& doc) {
    std::vector<std::string> pictures, documents;
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks()) {
            for (const auto& p : block->pictures.entries())
                pictures.push_back(p->value.str());
            for (const auto& object : block->floorObjects())
                collectObject(*object, pictures, documents);
        }
    return {uniqueInOrder(pictures), uniqueInOrder(documents)};
}

ArchiveExport exportHouseArchive(std::string_view houseBytes, const CBrenvikaDoc& doc,
                                 const std::string& houseName, const HouseFolders& folders,
                                 const std::string& outPath, const ArchiveProgress& progress) {
    ArchiveExport result;
    const HouseFileNames names = fileNamesOf(doc);

    // libzip goes back to finish each entry's header, so it writes a file of its own first;
    // that file then replaces the target safely.
    const fs::path out = fs::absolute(outPath);
    std::string scratch =
        (out.parent_path() / ("." + out.filename().string() + ".XXXXXX")).string();
    {
        const int fd = ::mkstemp(scratch.data());
        if (fd < 0) {
            result.error = out.parent_path().string() + ": " + std::strerror(errno);
            return result;
        }
        ::close(fd);
    }
    int code = 0;
    zip_t* archive = zip_open(scratch.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        removeFile(scratch);
        result.error = outPath + ": " + zipMessage(code);
        return result;
    }
    auto failed = [&](const std::string& why) {
        zip_discard(archive);
        removeFile(scratch);
        result.error = why;
        return result;
    };

    std::string index = "Ardenvo house archive\n";
    index += "House: " + shownName(houseName) + " (" + std::to_string(houseBytes.size()) +
             " bytes, " + std::to_string(countObjects(doc)) + " objects)\n";
    index += "Written: " + localTimeNow() + "\n\n";
    std::string listing;
    struct Part {
        const std::vector<std::string>* names;
        const std::string* folder;
        const char* prefix;
        const char* words;
        int* count;
    };
    const Part parts[] = {
        {&names.pictures, &folders.images, kImagesPrefix, "Images folder", &result.pictures},
        {&names.documents, &folders.documents, kDocumentsPrefix, "Documents folder",
         &result.documents}};
    for (const Part& part : parts) {
        for (const std::string& name : *part.names) {
            const std::string entry = part.prefix + name;
            const Located located = locateIn(*part.folder, name, part.words);
            if (!located.problem.empty()) {
                listing += "missing\t" + shownName(entry) + "\t" + located.problem + "\n";
                result.missing.push_back(entry + ": " + located.problem);
                continue;
            }
            zip_source_t* source = zip_source_file_create(located.path.c_str(), 0, -1, nullptr);
            const zip_int64_t added =
                source ? zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_GUESS) : -1;
            if (added < 0) {
                if (source)
                    zip_source_free(source);
                return failed(entry + ": " + zip_strerror(archive));
            }
            // Pictures are packed already; storing them saves time and nothing else.
            if (part.prefix == kImagesPrefix)
                zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_STORE,
                                         0);
            listing += "ok\t" + shownName(entry) + "\t" + std::to_string(located.size) + " bytes\n";
            ++*part.count;
        }
    }
    index += "Pictures: " + std::to_string(result.pictures) + " of " +
             std::to_string(names.pictures.size()) + "\n";
    index += "Documents: " + std::to_string(result.documents) + " of " +
             std::to_string(names.documents.size()) + "\n";
    index += "Missing: " + std::to_string(result.missing.size()) + "\n\n" + listing;

    // The buffers live until the archive is closed below.
    for (auto [name, bytes] : {std::pair<std::string, std::string_view>{houseName, houseBytes},
                               std::pair<std::string, std::string_view>{kIndexName, index}}) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_GUESS) < 0) {
            if (source)
                zip_source_free(source);
            return failed(name + ": " + zip_strerror(archive));
        }
    }
    ProgressState state{&progress};
    if (progress) {
        zip_register_progress_callback_with_state(archive, 0.01, progressCallback, nullptr, &state);
        zip_register_cancel_callback_with_state(archive, cancelCallback, nullptr, &state);
    }
    if (zip_close(archive) != 0)
        return failed(state.stopped ? std::string("Stopped.")
                                    : outPath + ": " + zip_strerror(archive));

    Fd finished(::open(scratch.c_str(), O_RDONLY | O_CLOEXEC));
    removeFile(scratch);
    if (finished.get() < 0) {
        result.error = outPath + ": " + std::strerror(errno);
        return result;
    }
    std::string error;
    const bool written = replaceFileSafelyWith(
        outPath, false,
        [&](const ChunkWriter& write) {
            std::string buffer(kChunk, '\0');
            for (;;) {
                const ssize_t n = ::read(finished.get(), buffer.data(), buffer.size());
                if (n < 0)
                    return false;
                if (n == 0)
                    return true;
                if (!write(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
                    return false;
            }
        },
        &error, nullptr, nullptr, TargetLinks::ReplaceName);
    if (!written) {
        result.error = error;
        return result;
    }
    result.ok = true;
    return result;
}

ArchiveImport importHouseArchive(const std::string& zipPath, const HouseFolders& folders,
                                 const ArchiveProgress& progress) {
    return Importer(folders, progress).run(zipPath);
}

} // namespace ardenvo
