// The windows show the icon the desktop shows for the programs: the pictures drawn at run time
// and the installed icons, drawn from their SVG, must be the same picture.
#include "reminder/ui/ReminderIcons.h"
#include "shell/ToolbarIcons.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The share of pixels whose colour or opacity differs visibly, 0 to 1.
double differingShare(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const int d =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            differing += d > 48 ? 1 : 0;
        }
    return double(differing) / (x.width() * x.height());
}

void expectSamePicture(const QIcon& drawn, const QString& installed) {
    for (const int size : {16, 32, 48, 64}) {
        const QString file =
            QStringLiteral(ARDENVO_ICON_DIR "/%1x%1/apps/%2.png").arg(size).arg(installed);
        const QImage icon(file);
        ASSERT_EQ(icon.size(), QSize(size, size)) << file.toStdString();
        const QImage window = drawn.pixmap(size).toImage();
        ASSERT_EQ(window.size(), icon.size());
        EXPECT_LT(differingShare(window, icon), 0.01) << file.toStdString();
    }
}

} // namespace

TEST(WindowIcon, TheMainProgramsHouseIsTheInstalledIcon) {
    expectSamePicture(ardenvo::appIcon(), "ardenvo");
}

TEST(WindowIcon, TheReminderProgramsBellIsTheInstalledIcon) {
    expectSamePicture(ardenvo::reminderNormalIcon(), "ardenvoreminder");
    // The blinking picture is another one: a check that could not tell pictures apart would pass
    // anything.
    const QImage ringing = ardenvo::reminderAlternateIcon().pixmap(48).toImage();
    EXPECT_GT(differingShare(ringing, QImage(ARDENVO_ICON_DIR "/48x48/apps/ardenvoreminder.png")),
              0.2);
}
