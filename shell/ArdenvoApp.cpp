#include "shell/ArdenvoApp.h"

#include "catalogue/ObjectsDialog.h"
#include "catalogue/pictures/PictureGroup.h"
#include "model/TreeOrder.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/CBrenvikaView.h"
#include "platform/AppPaths.h"
#include "platform/ProgramVersion.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SettingsFile.h"
#include "platform/TextCodec.h"
#include "platform/Translations.h"
#include "platform/activation/WindowActivation.h"
#include "platform/guard/GuardedApplication.h"
#include "shell/CMainFrame.h"
#include "shell/ConsolePrompter.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "shell/RecoveryFile.h"
#include "shell/RunningCopy.h"
#include "shell/ShippedFiles.h"
#include "shell/StartupOptions.h"
#include "shell/ToolbarIcons.h"
#include "shell/UndoController.h"
#include "widgets/QtPrompter.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

namespace ardenvo {

namespace {

QString resourceFile(const char* name) {
    const auto found = AppPaths::findResource(name);
    return found ? QString::fromStdString(*found) : QString();
}

void settle(const std::function<void(int round)>& each = {}) {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        if (each)
            each(i);
    }
}

int writePicture(const QImage& shot, const QString& file) {
    QImageWriter writer(file, "png");
    if (!writer.write(shot)) {
        std::fprintf(stderr, "ardenvo: cannot write %s: %s\n", qPrintable(file),
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}

int writeScreenshot(CMainFrame& frame, const QString& file) {
    frame.resize(1280, 800);
    frame.show();
    // Let the layout settle, fit the plan to the view's final size, and let it draw.
    settle([&](int round) {
        if (round == 2)
            frame.view()->fitToWindow();
    });
    return writePicture(frame.grab().toImage(), file);
}

// The "Objects inside" dialog on the first block of that name, its first floor object chosen.
int writeObjectsScreenshot(CMainFrame& frame, CBrenvikaDoc& doc, const QString& blockName,
                           const QString& file) {
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks()) {
            if (displayText(block->name) != blockName)
                continue;
            const auto floor = floorObjectsInTreeOrder(*block);
            doc.setCurrentSection(section.get());
            ObjectsDialog dialog(doc, *block, floor.empty() ? nullptr : floor.front(), &frame,
                                 frame.objectsDialogServices());
            dialog.show();
            // Its pictures are decoded beside the window: the picture is taken once they are in.
            dialog.pictureGroup()->waitForPictures();
            settle();
            return writePicture(dialog.grab().toImage(), file);
        }
    std::fprintf(stderr, "ardenvo: no block named %s\n", qPrintable(blockName));
    return 1;
}

} // namespace

int runArdenvo(int argc, char** argv) {
    // Before anything else: no window, no document, no settings touched.
    if (argc > 1 && std::strcmp(argv[1], "/uninstall") == 0)
        return 0;
    // Answered without a display, so the man page can be made from the help at build time.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kArdenvoHelp, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("ardenvo %s\n", kProgramVersion);
        return 0;
    }

    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ardenvo"));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    QApplication::setWindowIcon(appIcon());
    // Ties the windows to the installed menu entry, whose icon the desktop then shows for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("ardenvo"));
    installTranslations(app);

    // Paths on the command line mean what they meant where the user typed them.
    const StartupOptions options =
        parseStartupOptions(QApplication::arguments().mid(1), QDir::currentPath());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr,
                     "ardenvo: %s\nusage: ardenvo [PROJECT.av]\n"
                     "       ardenvo --screenshot FILE.png [--objects-inside BLOCK] "
                     "[PROJECT.av]\n",
                     qPrintable(options.error));
        return 2;
    }
    // A broken installation shows as a plan without splash, help or predone houses; say why.
    const std::vector<std::string> shipped = AppPaths::resourceDirectories();
    for (const QString& name : missingShippedFiles(shipped))
        std::fprintf(stderr, "ardenvo: shipped file %s found neither in %s nor in %s\n",
                     qPrintable(name), shipped.front().c_str(), shipped.back().c_str());
    // Pictures are copied to and loaded from the Images folder by relative name.
    const std::string images = AppPaths::imagesDirectory();
    if (!images.empty())
        QDir::setCurrent(QString::fromStdString(images));

    // The house is open in another main program already: that one comes forward instead.
    if (!options.screenshot && !options.project.isEmpty() &&
        RunningCopy::forward(options.project, WindowActivation::launchToken()))
        return 0;

    ConsolePrompter console;
    Prompter& prompter = options.screenshot ? console : standardPrompter();
    RecentFileList recent(SettingsFile::user());
    DocumentController controller(prompter, recent);
    installLayout(controller.document());
    CMainFrame frame(controller, recent, prompter);

    if (options.screenshot) {
        if (!options.project.isEmpty() && !controller.openDocument(options.project))
            return 1;
        if (!options.objectsInside.isEmpty())
            return writeObjectsScreenshot(frame, controller.document(), options.objectsInside,
                                          options.screenshotFile);
        return writeScreenshot(frame, options.screenshotFile);
    }

    const RunningCopy runningCopy(frame);
    // Without a window manager "maximised" means nothing; the screen's size is the next best.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    frame.showSplash(resourceFile("splash.jpg"));
    // Asked before the command line's house opens: this program must not count as having it
    // open, and a recovered house takes its place.
    UndoController& undo = *frame.undoController();
    undo.enableRecovery(RecoveryFile::defaultFolder(), options.recoveryIntervalSeconds * 1000);
    const bool recovered = undo.offerRecovery(prompter, &frame, [&](const QString& question) {
        if (!options.recoveryAnswer.isEmpty()) {
            std::fprintf(stderr, "ardenvo: %s %s\n", qPrintable(question),
                         qPrintable(options.recoveryAnswer));
            return options.recoveryAnswer == QLatin1String("yes");
        }
        return prompter.askChoice(&frame, {question, Prompter::Icon::Warning},
                                  {QCoreApplication::translate("ardenvo::ArdenvoApp", "&Yes"),
                                   QCoreApplication::translate("ardenvo::ArdenvoApp", "&No")}) == 0;
    });
    if (!recovered && !options.project.isEmpty() && !controller.openDocument(options.project))
        return 1;
    QTimer::singleShot(0, &frame, [&] {
        frame.startupNotice(AppPaths::resourceDirectories());
        if (options.unit >= 0)
            frame.view()->setUnit(options.unit);
        if (options.save) {
            // What the status bar says of the save, told where a script sees it.
            QObject::connect(&controller, &DocumentController::versionNotKept, &frame,
                             [](const QString& reason) {
                                 std::fprintf(stderr, "ardenvo: %s\n", qPrintable(reason));
                             });
            if (controller.save())
                std::fprintf(stderr, "ardenvo: saved %s\n", qPrintable(controller.pathName()));
        }
        RuntimeDirectory::reportProblemOnce([&](const std::string& problem) {
            std::fprintf(stderr, "ardenvo: %s\n", problem.c_str());
            prompter.message(&frame, {QString::fromStdString(problem), Prompter::Icon::Warning});
        });
        // Told as the runtime directory's problems are: otherwise a crash would lose the
        // changes without a word.
        if (std::string problem; undo.recovery() && !undo.recovery()->usable(&problem)) {
            std::fprintf(stderr,
                         "ardenvo: Unsaved changes cannot be kept for recovery after a crash: %s\n",
                         problem.c_str());
            prompter.message(&frame, {QCoreApplication::translate(
                                          "ardenvo::ArdenvoApp",
                                          "Unsaved changes cannot be kept for recovery after a "
                                          "crash: %1")
                                          .arg(QString::fromStdString(problem)),
                                      Prompter::Icon::Warning});
        }
    });
    return QApplication::exec();
}

} // namespace ardenvo
