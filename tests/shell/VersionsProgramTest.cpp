// The real program saving while its versions folder cannot be written: the house is saved all the
// same, and said once; with the folder writable again the replaced house is kept.
#include "history/VersionStore.h"
#include "model/ProjectFile.h"
#include "platform/ProjectKey.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace ardenvo;

namespace {

const QString kProgram = QStringLiteral(ARDENVO_BINARY_DIR "/bin/ardenvo");

// Starts the program on the house with --save and waits until it says it saved (or a minute
// passed); what it said on its error output.
QString saveWith(const QString& folder, const QStringList& arguments) {
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(kProgram, arguments);
    QString said;
    QElapsedTimer waited;
    waited.start();
    if (process.waitForStarted(30000)) {
        while (!said.contains(QStringLiteral("ardenvo: saved")) && waited.elapsed() < 60000 &&
               process.state() == QProcess::Running) {
            process.waitForReadyRead(100);
            said += QString::fromLocal8Bit(process.readAllStandardError());
        }
    }
    process.kill();
    process.waitForFinished(30000);
    return said;
}

// The versions folder made unusable as a user's would be: unwritable or, what even root cannot
// write through, a link planted in its place.
TEST(VersionsProgram, ASaveWithTheVersionsFolderUnwritableStillSaves) {
    if (!QFileInfo::exists(kProgram))
        GTEST_SKIP() << "build the ardenvo target first";
    for (const bool link : {false, true}) {
        if (!link && ::geteuid() == 0)
            continue; // root writes into any folder
        SCOPED_TRACE(link ? "a link" : "unwritable");
        QTemporaryDir dir;
        const QString house = dir.filePath(QStringLiteral("versions.av"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av"), house));
        QFile::setPermissions(house, QFile::ReadOwner | QFile::WriteOwner);
        const std::string root = versionsRoot();
        QDir().mkpath(QString::fromStdString(root));
        const std::string folder =
            versionsFolderFor(projectKey(QFile::encodeName(house).toStdString()));
        if (link)
            ASSERT_EQ(::symlink(dir.path().toLocal8Bit().constData(), folder.c_str()), 0);
        else
            ASSERT_EQ(::chmod(root.c_str(), 0500), 0);

        const QString said = saveWith(dir.path(), {"--unit", "3", "--save", "versions.av"});
        ::chmod(root.c_str(), 0700);
        ::unlink(folder.c_str());
        EXPECT_TRUE(said.contains(QStringLiteral("ardenvo: saved ") + house)) << said.toStdString();
        EXPECT_EQ(said.count(QStringLiteral("its earlier version could not be kept")), 1)
            << said.toStdString();
        CBrenvikaDoc saved;
        ASSERT_EQ(loadProject(QFile::encodeName(house).toStdString(), saved), FileError::None);
        EXPECT_EQ(saved.unitIndex(), 3);
        EXPECT_TRUE(VersionStore(folder).versions().empty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // nothing written through

        // Usable again: the next save keeps the house it replaces and says nothing of versions.
        const QString next = saveWith(dir.path(), {"--unit", "2", "--save", "versions.av"});
        EXPECT_FALSE(next.contains(QStringLiteral("could not be kept"))) << next.toStdString();
        const auto versions = VersionStore(folder).versions();
        ASSERT_EQ(versions.size(), 1u);
        CBrenvikaDoc kept;
        ASSERT_EQ(loadProject(versions[0].path, kept), FileError::None);
        EXPECT_EQ(kept.unitIndex(), 3);
    }
}

} // namespace
