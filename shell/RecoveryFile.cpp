#include "shell/RecoveryFile.h"

#include "model/ProjectFile.h"
#include "model/SafeFile.h"
#include "platform/RuntimeDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

const std::string kMagic = "Ardenvo recovery 1\n";
const std::string kSuffix = ".recovery";
// The header holds a house's path; beyond this and a house of the largest size the file is no
// copy this program wrote, and is refused before it is read.
constexpr std::uint64_t kMaxHeaderBytes = 64 * 1024;

// The process id of a name this program writes, "<digits>.recovery"; 0 for any other name.
int pidOfName(const std::string& name) {
    if (name.size() <= kSuffix.size() || name.size() > kSuffix.size() + 9 || name[0] == '0' ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return 0;
    int pid = 0;
    for (std::size_t i = 0; i < name.size() - kSuffix.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// Gives `file` the name `aside` only when nothing has that name yet.
bool renameWithoutReplacing(const std::string& file, const std::string& aside) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // A file system without that flag: a new link fails just as well on a name that exists.
    return ::link(file.c_str(), aside.c_str()) == 0 && ::unlink(file.c_str()) == 0;
}

// Whether a main program of that id still runs: a live process of another name took over a
// recycled id, and its copy is a left-over.
bool mainProgramRunning(int pid) {
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return false;
    // A killed program stays a zombie until its parent reaps it: it runs no more.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t state = line.rfind(')');
    if (state != std::string::npos && state + 2 < line.size() &&
        (line[state + 2] == 'Z' || line[state + 2] == 'X'))
        return false;
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return !comm || name == "ardenvo";
}

} // namespace

RecoveryFile::RecoveryFile(std::string folder) : m_folder(std::move(folder)) {}

std::string RecoveryFile::defaultFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QFile::encodeName(QDir(base).filePath(QStringLiteral("Ardenvo/recovery"))).toStdString();
}

std::string RecoveryFile::path() const {
    return m_folder + '/' + std::to_string(::getpid()) + kSuffix;
}

std::string RecoveryFile::encode(const std::string& housePath, std::string_view house) {
    // The path's length first: a file name may hold any byte but '/' and NUL, even a newline.
    std::string out = kMagic + std::to_string(housePath.size()) + '\n' + housePath + '\n';
    out.append(house);
    return out;
}

bool RecoveryFile::usable(std::string* error) const {
    const QString parent = QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_folder))).path();
    QDir().mkpath(parent);
    return RuntimeDirectory::makePrivateFolder(m_folder, error);
}

bool RecoveryFile::write(const CBrenvikaDoc& doc, std::string* error) {
    if (!usable(error))
        return false;
    const std::string bytes = encode(doc.pathName(), writeProject(doc));
    // Whatever was put at this program's own name (a link to another file, a pipe) is replaced,
    // never written through.
    return replaceFileSafelyWith(
        path(), false, [&](const ChunkWriter& write) { return write(bytes); }, error, nullptr,
        nullptr, TargetLinks::ReplaceAnything);
}

void RecoveryFile::remove() {
    ::unlink(path().c_str());
}

std::vector<RecoveryFile::LeftOver> RecoveryFile::leftOvers() const {
    std::vector<LeftOver> found;
    if (!usable())
        return found;
    const QDir dir(QFile::decodeName(QByteArray::fromStdString(m_folder)));
    const QStringList names =
        dir.entryList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        // Only the names this program writes, and only plain files of our own.
        const std::string file = m_folder + '/' + QFile::encodeName(name).toStdString();
        const int pid = pidOfName(QFile::encodeName(name).toStdString());
        struct stat info {};
        if (pid <= 0 || ::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::getuid() || pid == ::getpid() || mainProgramRunning(pid))
            continue;
        found.push_back({file, pid});
    }
    std::sort(found.begin(), found.end(),
              [](const LeftOver& a, const LeftOver& b) { return a.pid < b.pid; });
    return found;
}

bool RecoveryFile::read(const std::string& file, Contents& out, std::string* error) {
    auto fail = [&](const char* why) {
        if (error)
            *error = why;
        return false;
    };
    try {
        return readWithin(file, out, error);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory to read it");
    }
}

bool RecoveryFile::readWithin(const std::string& file, Contents& out, std::string* error) {
    auto fail = [&](const char* why) {
        if (error)
            *error = why;
        return false;
    };
    std::string bytes;
    int systemError = 0;
    // The house's own limit, applied before anything is read: a huge (even sparse) file is
    // refused at once instead of filling the memory at every start.
    if (!readWholeFile(file, bytes, error, nullptr, &systemError,
                       kMaxProjectFileBytes + kMaxHeaderBytes))
        return systemError == EFBIG ? fail("too large for a recovery copy") : false;
    if (bytes.compare(0, kMagic.size(), kMagic) != 0)
        return fail("not a recovery file");
    const std::size_t lengthEnd = bytes.find('\n', kMagic.size());
    std::size_t length = 0;
    const char* first = bytes.data() + kMagic.size();
    const char* last = bytes.data() + (lengthEnd == std::string::npos ? 0 : lengthEnd);
    if (lengthEnd == std::string::npos || std::from_chars(first, last, length).ptr != last ||
        length > bytes.size() - lengthEnd - 1 || lengthEnd + 1 + length >= bytes.size() ||
        bytes[lengthEnd + 1 + length] != '\n')
        return fail("damaged header");
    out.housePath = bytes.substr(lengthEnd + 1, length);
    bytes.erase(0, lengthEnd + 2 + length);
    out.house = std::move(bytes);
    // Only a house the reader takes whole is offered.
    CBrenvikaDoc check;
    if (readProject(out.house, check) != FileError::None)
        return fail(fileErrorMessage(FileError::UnexpectedFormat));
    return true;
}

std::string RecoveryFile::keepAside(const std::string& file) {
    // Numbered, so that an older damaged copy (or anything else at that name) is never replaced.
    for (int n = 1; n <= 100; ++n) {
        const std::string aside = file + ".damaged" + (n == 1 ? "" : "." + std::to_string(n));
        if (renameWithoutReplacing(file, aside))
            return aside;
        if (errno != EEXIST)
            break;
    }
    ::unlink(file.c_str());
    return {};
}

} // namespace ardenvo
