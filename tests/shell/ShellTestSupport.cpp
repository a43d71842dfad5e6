#include "ShellTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

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

// Titles carry the program's name as the program itself sets it, not the test binary's.
[[maybe_unused]] const bool named = [] {
    QCoreApplication::setApplicationName(QStringLiteral("Ardenvo"));
    return true;
}();

} // namespace

std::vector<ScriptedPrompter::Shown> messagesShown(const ScriptedPrompter& prompter) {
    std::vector<ScriptedPrompter::Shown> found;
    for (const auto& shown : prompter.shown)
        if (shown.kind == ScriptedPrompter::Kind::Message)
            found.push_back(shown);
    return found;
}

QStringList questionsAsked(const ScriptedPrompter& prompter) {
    using Kind = ScriptedPrompter::Kind;
    QStringList found;
    for (const auto& shown : prompter.shown)
        if (shown.kind == Kind::YesNo || shown.kind == Kind::YesNoCancel ||
            shown.kind == Kind::Choice)
            found << shown.text;
    return found;
}

QStringList fileStarts(const ScriptedPrompter& prompter, ScriptedPrompter::Kind kind) {
    QStringList found;
    for (const auto& shown : prompter.shown)
        if (shown.kind == kind)
            found << shown.file.start;
    return found;
}

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

#ifdef ARDENVO_TOOL
QString runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ARDENVO_TOOL), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("did not end");
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("exit %1: %2")
            .arg(process.exitCode())
            .arg(QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}
#endif

} // namespace ardenvo::test
