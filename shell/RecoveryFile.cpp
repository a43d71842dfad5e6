#include "shell/RecoveryFile.h"

#include "model/ProjectFile.h"
#include "model/Translatable.h"
#include "platform/ProcessLiveness.h"
#include "platform/RuntimeDirectory.h"
#include "platform/posix/FileNames.h"
#include "platform/posix/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <new>

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

// Each program that writes a copy leaves its mark here first and holds it while it runs: a
// process that took over a recycled id (or a dead program not yet reaped) holds none, and the copy
// named after that id is a left-over.
const char* const kWritersName = "ArdenvoRecovery.owners";

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
    ProcessLiveness::self(kWritersName);
    const std::string bytes = encode(doc.pathName(), writeProject(doc));
    // Whatever was put at this program's own name (a link to another file, a pipe) is replaced,
    // never written through.
    return replaceFileSafelyWith(
        path(), false, [&](const ChunkWriter& write) { return write(bytes); }, error, nullptr,
        nullptr, TargetLinks::ReplaceAnything);
}

void RecoveryFile::remove() {
    removeFile(path());
}

std::vector<RecoveryFile::LeftOver> RecoveryFile::leftOvers() const {
    std::vector<LeftOver> found;
    if (!usable())
        return found;
    const QDir dir(QFile::decodeName(QByteArray::fromStdString(m_folder)));
    const QStringList names =
        dir.entryList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Name);
    // Opened after the names are read: each copy found was written after its writer's mark.
    const ProcessLiveness writers(kWritersName);
    for (const QString& name : names) {
        // Only the names this program writes, and only plain files of our own.
        const std::string file = m_folder + '/' + QFile::encodeName(name).toStdString();
        const int pid = pidOfName(QFile::encodeName(name).toStdString());
        struct stat info {};
        if (pid <= 0 || ::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::getuid() || pid == ::getpid() ||
            writers.isAliveWithId(std::uint32_t(pid)))
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
        return fail(AV_TRANSLATE_NOOP("ardenvo::RecoveryFile", "not enough memory to read it"));
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
        return systemError == EFBIG ? fail(AV_TRANSLATE_NOOP("ardenvo::RecoveryFile",
                                                             "too large for a recovery copy"))
                                    : false;
    if (bytes.compare(0, kMagic.size(), kMagic) != 0)
        return fail(AV_TRANSLATE_NOOP("ardenvo::RecoveryFile", "not a recovery file"));
    const std::size_t lengthEnd = bytes.find('\n', kMagic.size());
    std::size_t length = 0;
    const char* first = bytes.data() + kMagic.size();
    const char* last = bytes.data() + (lengthEnd == std::string::npos ? 0 : lengthEnd);
    if (lengthEnd == std::string::npos || std::from_chars(first, last, length).ptr != last ||
        length > bytes.size() - lengthEnd - 1 || lengthEnd + 1 + length >= bytes.size() ||
        bytes[lengthEnd + 1 + length] != '\n')
        return fail(AV_TRANSLATE_NOOP("ardenvo::RecoveryFile", "damaged header"));
    out.housePath = bytes.substr(lengthEnd + 1, length);
    bytes.erase(0, lengthEnd + 2 + length);
    out.house = std::move(bytes);
    // Only a house the reader takes whole is offered.
    CBrenvikaDoc check;
    if (readProject(out.house, check) != FileError::None)
        return fail(fileErrorMessage(FileError::UnexpectedFormat));
    return true;
}

QString RecoveryFile::translatedReason(const std::string& reason) {
    // Ours are found in one of the two contexts; the system's own text is shown as it came.
    const QString here = QCoreApplication::translate("ardenvo::RecoveryFile", reason.c_str());
    return here != QString::fromStdString(reason)
               ? here
               : QCoreApplication::translate("ardenvo::ProjectFile", reason.c_str());
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
    removeFile(file);
    return {};
}

} // namespace ardenvo
