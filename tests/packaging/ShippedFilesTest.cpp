#include "shell/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(ShippedFiles, EachFileIsLookedForInEveryFolder) {
    QTemporaryDir programDir, shareDir;
    const std::vector<std::string> folders = {programDir.path().toStdString(),
                                              shareDir.path().toStdString()};
    EXPECT_EQ(ardenvo::missingShippedFiles(folders),
              QStringList({"splash.jpg", "help/index.html", "*.av"}));

    // Found in either folder, wherever the others are.
    touch(shareDir.filePath("splash.jpg"));
    touch(programDir.filePath("help/index.html"));
    EXPECT_EQ(ardenvo::missingShippedFiles(folders), QStringList({"*.av"}));
    touch(shareDir.filePath("small-flat.av"));
    EXPECT_TRUE(ardenvo::missingShippedFiles(folders).isEmpty());

    // A folder of that name is not the manual.
    QTemporaryDir other;
    QDir(other.path()).mkpath("help/index.html");
    EXPECT_TRUE(
        ardenvo::missingShippedFiles({other.path().toStdString()}).contains("help/index.html"));
}
