#include "ShellTestSupport.h"

#include "model/ProjectFile.h"
#include "shell/RecoveryFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <functional>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

const QString kProgram = QStringLiteral(ARDENVO_BINARY_DIR "/bin/ardenvo");

// Runs the real program offscreen; the test environment's private folders are inherited.
int runProgram(const QStringList& arguments, const QString& workingDir, QString* errors = nullptr) {
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(kProgram, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

TEST(Program, UninstallEndsAtOnceAndScreenshotWritesTheWindow) {
    if (!QFileInfo::exists(kProgram))
        GTEST_SKIP() << "build the ardenvo target first";
    EXPECT_EQ(runProgram({"/uninstall"}, scratchDir()), 0);

    // A relative project path means the folder the program was started in.
    const QString house = QStringLiteral(ARDENVO_SOURCE_DIR "/data/family-house.av");
    ASSERT_TRUE(QFileInfo::exists(house));
    QFile::remove(scratchFile("house-copy.av"));
    ASSERT_TRUE(QFile::copy(house, scratchFile("house-copy.av")));
    QString errors;
    ASSERT_EQ(runProgram({"--screenshot", "shot.png", "house-copy.av"}, scratchDir(), &errors), 0)
        << errors.toStdString();
    const QImage shot(scratchFile("shot.png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(1280, 800));

    // The "Objects inside" dialog of a named block; an unknown block is an error.
    ASSERT_EQ(
        runProgram({"--screenshot", "kitchen.png", "--objects-inside", "Kitchen", "house-copy.av"},
                   scratchDir(), &errors),
        0)
        << errors.toStdString();
    EXPECT_FALSE(QImage(scratchFile("kitchen.png")).isNull());
    EXPECT_NE(
        runProgram({"--screenshot", "none.png", "--objects-inside", "Nowhere", "house-copy.av"},
                   scratchDir()),
        0);

    // A project that cannot be read ends the program with an error.
    writeScratchFile("broken.av", QByteArray("\x09\x00\x00\x00\x07\x00\x00\x00", 8));
    EXPECT_NE(runProgram({"--screenshot", "broken.png", "broken.av"}, scratchDir()), 0);
    EXPECT_NE(runProgram({"--screenshot"}, scratchDir()), 0);
}

namespace {

// The recovery copies in the data folder the test environment gives the program.
QStringList recoveryCopies() {
    const QDir dir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/Ardenvo/recovery"));
    QStringList found;
    for (const QString& name : dir.entryList({QStringLiteral("*.recovery")}, QDir::Files))
        found << dir.filePath(name);
    return found;
}

// Starts the program and waits until `ready` holds (or a minute passed).
bool startUntil(QProcess& process, const QStringList& arguments,
                const std::function<bool()>& ready) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(scratchDir());
    process.start(kProgram, arguments);
    if (!process.waitForStarted(30000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!ready()) {
        if (waited.elapsed() > 60000 || process.state() != QProcess::Running)
            return false;
        process.waitForReadyRead(100);
    }
    return true;
}

void killHard(QProcess& process) {
    process.kill(); // SIGKILL: nothing is cleaned up
    process.waitForFinished(30000);
}

} // namespace

TEST(Program, UnsavedChangesSurviveAKillAndAreRecoveredOrDropped) {
    if (!QFileInfo::exists(kProgram))
        GTEST_SKIP() << "build the ardenvo target first";
    for (const QString& left : recoveryCopies())
        QFile::remove(left);
    const QString house = scratchFile("crash.av");
    QFile::remove(house);
    ASSERT_TRUE(QFile::copy(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av"), house));
    QFile::setPermissions(house, QFile::ReadOwner | QFile::WriteOwner);

    // An edit (the unit), then killed once its copy is written.
    QProcess first;
    ASSERT_TRUE(startUntil(first, {"--unit", "3", "--recovery-interval", "1", "crash.av"},
                           [] { return !recoveryCopies().isEmpty(); }));
    killHard(first);
    ASSERT_EQ(recoveryCopies().size(), 1);

    // Accepted: the next start shows the edited house under its own path, unsaved, and keeps it
    // in a copy of its own.
    QProcess second;
    const QString question =
        "Ardenvo was not closed properly. Recover the unsaved changes of " + house + "?";
    QString said;
    // What it said may arrive after the copy it then wrote: wait for both.
    EXPECT_TRUE(startUntil(second, {"--recovery-answer", "yes", "crash.av"}, [&] {
        said += QString::fromLocal8Bit(second.readAllStandardError());
        const QStringList copies = recoveryCopies();
        return said.contains(question + " yes") && copies.size() == 1 &&
               copies[0].contains(QString::number(second.processId()));
    })) << said.toStdString();
    ASSERT_EQ(recoveryCopies().size(), 1);
    RecoveryFile::Contents contents;
    ASSERT_TRUE(RecoveryFile::read(recoveryCopies()[0].toStdString(), contents));
    EXPECT_EQ(QString::fromStdString(contents.housePath), house);
    CBrenvikaDoc recovered;
    ASSERT_EQ(readProject(contents.house, recovered), FileError::None);
    EXPECT_EQ(recovered.unitIndex(), 3);
    killHard(second);

    // Refused: the copy is removed and the house is as saved.
    QProcess third;
    said.clear();
    EXPECT_TRUE(startUntil(third, {"--recovery-answer", "no", "crash.av"}, [&] {
        said += QString::fromLocal8Bit(third.readAllStandardError());
        return said.contains(question + " no") && recoveryCopies().isEmpty();
    })) << said.toStdString();
    killHard(third);
    CBrenvikaDoc onDisk;
    ASSERT_EQ(loadProject(QFile::encodeName(house).toStdString(), onDisk), FileError::None);
    EXPECT_NE(onDisk.unitIndex(), 3);
}

TEST(Program, AHugeLeftOverCopyIsPutAsideAndAPlantedLinkIsNeverWrittenThrough) {
    if (!QFileInfo::exists(kProgram))
        GTEST_SKIP() << "build the ardenvo target first";
    for (const QString& left : recoveryCopies())
        QFile::remove(left);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Ardenvo/recovery");
    QDir().mkpath(folder);
    int gone = 4000000;
    while (::kill(gone, 0) == 0)
        ++gone;
    // A sparse copy of 100 GB: refused before it is read, so the start goes on.
    const QString huge = QStringLiteral("%1/%2.recovery").arg(folder).arg(gone);
    {
        QFile planted(huge);
        ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
        planted.write("Ardenvo recovery 1\n0\n\n");
        ASSERT_TRUE(planted.resize(qint64(100) << 30));
    }
    const QString house = scratchFile("planted.av");
    QFile::remove(house);
    ASSERT_TRUE(QFile::copy(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av"), house));
    QFile::setPermissions(house, QFile::ReadOwner | QFile::WriteOwner);

    QProcess first;
    ASSERT_TRUE(startUntil(first, {"--recovery-answer", "yes", "planted.av"}, [&] {
        return !QFile::exists(huge) && QFile::exists(huge + ".damaged");
    }));
    EXPECT_EQ(first.state(), QProcess::Running); // showing that the copy is damaged
    killHard(first);
    QFile::remove(huge + ".damaged");

    QProcess program;
    ASSERT_TRUE(startUntil(program, {"--unit", "3", "--recovery-interval", "1", "planted.av"},
                           [&] { return recoveryCopies().size() == 1; }));
    const QString own = recoveryCopies()[0];
    EXPECT_TRUE(own.contains(QString::number(program.processId())));

    // Its own copy swapped for a link to another file: the next copy replaces the link.
    const QString victim = scratchFile("victim.txt");
    writeScratchFile("victim.txt", "precious");
    ASSERT_TRUE(QFile::remove(own));
    ASSERT_TRUE(QFile::link(victim, own));
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(own).isSymLink() && waited.elapsed() < 30000)
        program.waitForReadyRead(100);
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_EQ(program.state(), QProcess::Running);
    killHard(program);
    QFile kept(victim);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("precious"));
    for (const QString& left : recoveryCopies())
        QFile::remove(left);
}
