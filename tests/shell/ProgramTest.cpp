#include "ShellTestSupport.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

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
