#include "ShellTestSupport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ardenvo::test {

namespace {

// Kept in a plain array: it must still be readable when the exit handler runs, after the
// static strings are gone.
char treeRoot[64] = {};

void removeTree() {
    const QString root = QString::fromLatin1(treeRoot);
    if (root.startsWith(QLatin1String("/tmp/ardenvo-shell-tests-")))
        QDir(root).removeRecursively();
}

// Runs before main(): the settings file, the shared table and the Images folder must never be
// the user's own while the tests run.
std::string makeTree() {
    char pattern[] = "/tmp/ardenvo-shell-tests-XXXXXX";
    const char* root = mkdtemp(pattern);
    if (!root)
        std::abort();
    const std::string base(root);
    for (const char* sub : {"/config", "/data", "/runtime", "/files"})
        QDir().mkpath(QString::fromStdString(base + sub));
    QFile::setPermissions(QString::fromStdString(base + "/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (base + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (base + "/runtime").c_str(), 1);
    std::snprintf(treeRoot, sizeof treeRoot, "%s", root);
    std::atexit(removeTree);
    return base;
}

const std::string& tree() {
    static const std::string base = makeTree();
    return base;
}

[[maybe_unused]] const bool treeReady = !tree().empty();

} // namespace

QString scratchDir() {
    return QString::fromStdString(tree() + "/files");
}

QString scratchFile(const QString& name) {
    return scratchDir() + QLatin1Char('/') + name;
}

QString writeScratchFile(const QString& name, const QByteArray& bytes) {
    const QString path = scratchFile(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

} // namespace ardenvo::test
