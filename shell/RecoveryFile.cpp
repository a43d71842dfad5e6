#include "shell/RecoveryFile.h"

#include "model/ProjectFile.h"
#include "model/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <charconv>
#include <csignal>
#include <fstream>

#include <unistd.h>

namespace ardenvo {

namespace {

const std::string kMagic = "Ardenvo recovery 1\n";
const std::string kSuffix = ".recovery";

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

bool RecoveryFile::write(const CBrenvikaDoc& doc, std::string* error) {
    if (!QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(m_folder)))) {
        if (error)
            *error = "Cannot create " + m_folder;
        return false;
    }
    return replaceFileSafely(path(), encode(doc.pathName(), writeProject(doc)), false, error);
}

void RecoveryFile::remove() {
    ::unlink(path().c_str());
}

std::vector<RecoveryFile::LeftOver> RecoveryFile::leftOvers() const {
    std::vector<LeftOver> found;
    const QDir dir(QFile::decodeName(QByteArray::fromStdString(m_folder)));
    const QStringList names =
        dir.entryList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        bool ok = false;
        const int pid = name.chopped(int(kSuffix.size())).toInt(&ok);
        if (!ok || pid == ::getpid() || mainProgramRunning(pid))
            continue;
        found.push_back({QFile::encodeName(dir.filePath(name)).toStdString(), pid});
    }
    std::sort(found.begin(), found.end(),
              [](const LeftOver& a, const LeftOver& b) { return a.pid < b.pid; });
    return found;
}

bool RecoveryFile::read(const std::string& file, Contents& out, std::string* error) {
    std::string bytes;
    if (!readWholeFile(file, bytes, error))
        return false;
    auto fail = [&](const char* why) {
        if (error)
            *error = why;
        return false;
    };
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
    out.house = bytes.substr(lengthEnd + 2 + length);
    // Only a house the reader takes whole is offered.
    CBrenvikaDoc check;
    if (readProject(out.house, check) != FileError::None)
        return fail(fileErrorMessage(FileError::UnexpectedFormat));
    return true;
}

std::string RecoveryFile::keepAside(const std::string& file) {
    const std::string aside = file + ".damaged";
    if (::rename(file.c_str(), aside.c_str()) == 0)
        return aside;
    ::unlink(file.c_str());
    return {};
}

} // namespace ardenvo
