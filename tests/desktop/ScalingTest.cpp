// The main window and every dialog at the screen scale this run was started with (CTest sets
// QT_SCALE_FACTOR before the application exists, and a 1920 x 1080 screen): no label, button or
// group title is cut, and each window fits that screen. ARDENVO_SHOT_DIR, when set, receives a
// picture of each window to look at. Run in German and in Arabic too, where texts are longer or
// the windows mirrored.
#include "tests/desktop/WindowTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

QString describe(const QWidget* w) {
    return QStringLiteral("%1 \"%2\" %3x%4")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName())
        .arg(w->width())
        .arg(w->height());
}

// Every label, button and group box of the window whose text does not fit where it is shown.
QStringList cutTexts(QWidget& window) {
    QStringList cut;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->width() <= 0)
            continue;
        QSize needed;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                       : label->minimumSizeHint();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            needed = button->minimumSizeHint();
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            text = box->title();
            needed = QSize(box->minimumSizeHint().width(), 0);
        }
        if (text.isEmpty())
            continue;
        if (w->width() < needed.width() || w->height() < needed.height())
            cut << QStringLiteral("%1: \"%2\" needs %3x%4")
                       .arg(describe(w), text.left(40))
                       .arg(needed.width())
                       .arg(needed.height());
    }
    return cut;
}

// The check itself: a label, a button and a group title squeezed below their texts are found,
// a word-wrapped label given its height is not.
TEST(CutTexts, AreFoundWhereAWidgetIsSqueezedBelowItsText) {
    QWidget window;
    auto* squeezed = new QLabel(QStringLiteral("A label much wider than its room"), &window);
    squeezed->setGeometry(0, 0, 40, 30);
    auto* button = new QPushButton(QStringLiteral("A long button text"), &window);
    button->setGeometry(0, 40, 30, 30);
    auto* box = new QGroupBox(QStringLiteral("A long group title"), &window);
    box->setGeometry(0, 80, 30, 60);
    auto* wrapped = new QLabel(QStringLiteral("Several words that wrap"), &window);
    wrapped->setWordWrap(true);
    wrapped->setGeometry(0, 150, 80, wrapped->heightForWidth(80));
    window.show();
    const QStringList cut = cutTexts(window);
    ASSERT_EQ(cut.size(), 3) << cut.join('\n').toStdString();
    EXPECT_TRUE(cut[0].contains(QLatin1String("A label much")));
}

class Scaling : public testing::TestWithParam<Window> {};

TEST_P(Scaling, NoTextIsCutAndTheWindowFitsTheScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal scale = screen->devicePixelRatio();
    ASSERT_EQ((QSizeF(screen->geometry().size()) * scale).toSize(), kScreen)
        << "the test needs the 1920 x 1080 screen its CTest entry sets up";
    Scene scene;
    ASSERT_NE(scene.room, nullptr);
    const std::unique_ptr<QWidget> window = showWindow(scene, GetParam());

    if (const QByteArray dir = qgetenv("ARDENVO_SHOT_DIR"); !dir.isEmpty())
        window->grab().save(QStringLiteral("%1/%2-%3.png")
                                .arg(QString::fromLocal8Bit(dir), QLatin1String(GetParam().name))
                                .arg(scale));
    EXPECT_EQ(cutTexts(*window), QStringList()) << "at scale " << scale;
    const QSize device = (QSizeF(window->frameGeometry().size()) * scale).toSize();
    EXPECT_LE(device.width(), kScreen.width()) << "at scale " << scale;
    EXPECT_LE(device.height(), kScreen.height()) << "at scale " << scale;
    window->close();
}

INSTANTIATE_TEST_SUITE_P(Windows, Scaling, testing::ValuesIn(windows()),
                         [](const testing::TestParamInfo<Window>& info) {
                             return windowName(info.param);
                         });

} // namespace
