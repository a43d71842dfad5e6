// The main window and every dialog at the screen scale this run was started with (CTest sets
// QT_SCALE_FACTOR before the application exists, and a 1920 x 1080 screen): no label, button or
// group title is cut, and each window fits that screen. ARDENVO_SHOT_DIR, when set, receives a
// picture of each window to look at.
#include "catalogue/MoveObjectDialog.h"
#include "catalogue/ObjectsDialog.h"
#include "catalogue/pictures/ImageDialog.h"
#include "history/dialog/VersionsDialog.h"
#include "importer/dialog/ImportDialog.h"
#include "labels/dialog/LabelsDialog.h"
#include "model/ProjectFile.h"
#include "model/TreeOrder.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/RepositionDialog.h"
#include "planeditor/view/SectionsDialog.h"
#include "platform/Settings.h"
#include "platform/SettingsFile.h"
#include "platform/TextCodec.h"
#include "reminder/ui/EventSettingsDialog.h"
#include "reminder/ui/ReminderAboutBox.h"
#include "reminder/ui/ReminderWindow.h"
#include "reminder/ui/TipDialog.h"
#include "search/dialog/InventoryDialog.h"
#include "search/dialog/PrintSeam.h"
#include "search/dialog/SearchDialog.h"
#include "shell/AboutDialog.h"
#include "shell/CMainFrame.h"
#include "shell/ChooseHouseDialog.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedPrompter.h"
#include "widgets/NameDialog.h"
#include "widgets/ObjectPropertiesDialog.h"
#include "widgets/ResizeDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

const QString kHouse = QStringLiteral(ARDENVO_SOURCE_DIR "/data/family-house.av");
const QSize kScreen(1920, 1080);

class NoPrinting : public PrintSeam {
public:
    bool askPrint(QWidget*, QPrinter&) override { return false; }
    void askPageSetup(QWidget*, QPrinter&) override {}
    bool openManual(QWidget*, const QString&) override { return true; }
};

// What the windows show: the family house with its living room and that room's first object.
struct Scene {
    ScriptedPrompter prompter;
    NoPrinting printing;
    SettingsFile settings{scratchFile("scaling.conf").toStdString()};
    RecentFileList recent{settings};
    DocumentController controller{prompter, recent};
    CBlock* room = nullptr;
    CHouseObject* object = nullptr;
    CField picture{"Front", "front.jpg"};

    Scene() {
        CBrenvikaDoc& doc = controller.document();
        installLayout(doc);
        if (!controller.openDocument(kHouse))
            return;
        for (const auto& section : doc.sections())
            for (const auto& block : section->blocks())
                if (!room && displayText(block->name) == QLatin1String("Living room")) {
                    doc.setCurrentSection(section.get());
                    room = block.get();
                }
        if (room && !floorObjectsInTreeOrder(*room).empty())
            object = floorObjectsInTreeOrder(*room).front();
    }
    CBrenvikaDoc& doc() { return controller.document(); }
};

using Make = std::function<std::unique_ptr<QWidget>(Scene&)>;
struct Window {
    const char* name;
    Make make;
};

template <typename W, typename... Args> std::unique_ptr<QWidget> make(Args&&... args) {
    return std::make_unique<W>(std::forward<Args>(args)...);
}

std::unique_ptr<QWidget> reminderWindow(Scene& s, int page) {
    ReminderWindowOptions options;
    options.watchEvents = false;
    options.useTray = false;
    options.useDesktopNotifications = false;
    options.prompter = &s.prompter;
    auto window = std::make_unique<ReminderWindow>(s.settings, options);
    window->tabs().setCurrentIndex(page);
    return window;
}

const std::vector<Window>& windows() {
    static const std::vector<Window> all{
        {"MainWindow",
         [](Scene& s) {
             auto frame = std::make_unique<CMainFrame>(s.controller, s.recent, s.prompter);
             frame->setWindowState(Qt::WindowMaximized);
             return std::unique_ptr<QWidget>(std::move(frame));
         }},
        {"Choose",
         [](Scene& s) {
             return make<ChooseHouseDialog>(QStringList{kHouse}, QStringList{kHouse}, s.prompter);
         }},
        {"About",
         [](Scene&) {
             return make<AboutDialog>(QStringLiteral(ARDENVO_SOURCE_DIR "/data/splash.jpg"));
         }},
        {"Sections",
         [](Scene& s) {
             return make<SectionsDialog>(nullptr, s.doc(), s.prompter);
         }},
        {"Reposition",
         [](Scene& s) {
             return make<RepositionDialog>(nullptr, *s.room, s.prompter);
         }},
        {"Resize",
         [](Scene& s) {
             static const UnitTable units(0);
             return make<ResizeDialog>(nullptr, units, *s.room, s.object, s.prompter);
         }},
        {"Name",
         [](Scene&) {
             return make<NameDialog>(nullptr, std::string("Kitchen"),
                                     [](const std::string&) { return false; });
         }},
        {"ObjectProperties",
         [](Scene& s) {
             return make<ObjectPropertiesDialog>(nullptr, std::nullopt, false, s.settings,
                                                 s.prompter);
         }},
        {"ObjectsInside",
         [](Scene& s) {
             return make<ObjectsDialog>(s.doc(), *s.room, s.object);
         }},
        {"MoveObject",
         [](Scene& s) {
             return make<MoveObjectDialog>(s.doc(), *s.room, s.object, s.prompter);
         }},
        {"Picture",
         [](Scene& s) {
             return make<ImageDialog>(s.picture, scratchDir().toStdString(), s.prompter);
         }},
        {"Search",
         [](Scene& s) {
             return make<SearchDialog>(s.doc(), scratchFile("temp.html"), s.prompter, s.printing);
         }},
        {"Inventory",
         [](Scene& s) {
             return make<InventoryDialog>(s.doc(), scratchDir().toStdString(), s.prompter,
                                          s.printing);
         }},
        {"Labels",
         [](Scene& s) {
             return make<LabelsDialog>(s.doc(), nullptr, s.prompter, s.printing, nullptr);
         }},
        {"Import",
         [](Scene& s) {
             return make<ImportDialog>(s.doc(), std::string("Room,Name\nKitchen,Kettle\n"),
                                       QStringLiteral("objects.csv"), s.prompter);
         }},
        {"Versions",
         [](Scene& s) {
             return make<VersionsDialog>(s.doc(), scratchDir().toStdString());
         }},
        {"ReminderPage",
         [](Scene& s) {
             return reminderWindow(s, 0);
         }},
        {"OptionsPage",
         [](Scene& s) {
             return reminderWindow(s, 1);
         }},
        {"EventSettings",
         [](Scene&) {
             return make<EventSettingsDialog>(nullptr, LocalDateTime{2026, 3, 14, 9, 30, 0});
         }},
        {"Tip",
         [](Scene& s) {
             static Settings settings(s.settings);
             return make<TipDialog>(QString::fromLatin1(kEventOccuredTipText), settings);
         }},
        {"ReminderAbout",
         [](Scene&) {
             return make<ReminderAboutBox>();
         }},
    };
    return all;
}

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
    const std::unique_ptr<QWidget> window = GetParam().make(scene);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();

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
                             return std::string(info.param.name);
                         });

} // namespace
