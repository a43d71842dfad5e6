#include "platform/help/HelpWindow.h"

#include "platform/AppPaths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace ardenvo {
namespace {

std::function<bool(const QUrl&)>& testOpener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

QPointer<HelpWindow>& theWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// Qt hands a file URL to xdg-open and counts it as opened once xdg-open has started, even when
// no program for web pages is set up and nothing will ever show. So the desktop is asked first
// whether it has one.
bool desktopHasBrowser() {
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    QProcess process;
    process.start(
        query, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
}

bool openInDesktop(const QUrl& url) {
    if (testOpener())
        return testOpener()(url);
    return desktopHasBrowser() && QDesktopServices::openUrl(url);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Ardenvo Help"));
    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setAccessibleName(tr("Manual page"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QToolButton;
        b->setText(text);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_back = button(tr("&Back"), "helpBack");
    m_forward = button(tr("&Forward"), "helpForward");
    //: Goes to the manual's table of contents.
    m_contents = button(tr("&Contents"), "helpContents");
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_contents);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, [this] { m_browser->setSource(m_home); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString page = m_browser->documentTitle();
        if (page.isEmpty()) {
            setWindowTitle(tr("Ardenvo Help"));
            return;
        }
        //: %1 is the title of the manual's page shown.
        setWindowTitle(tr("%1 - Ardenvo Help").arg(page));
    });
    // A window of its own, closed from the keyboard as a dialog is.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    // No taller or wider than most of the screen, which a scaled one makes small.
    QSize size(760, 640);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
    resize(size);
}

void HelpWindow::showPage(const QUrl& page, const QUrl& contents) {
    if (!contents.isEmpty() || m_home.isEmpty()) {
        m_home = (contents.isEmpty() ? page : contents).adjusted(QUrl::RemoveFragment);
        // The pages' pictures and links are found beside the index.
        m_browser->setSearchPaths({QFileInfo(m_home.toLocalFile()).absolutePath()});
    }
    m_browser->setSource(page);
}

void HelpWindow::keepAbove(QWidget* owner) {
    if (owner == this)
        owner = nullptr;
    if (owner == m_owner && windowHandle())
        return;
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_owner = owner;
    if (m_owner)
        m_owner->installEventFilter(this);
    // A window that belongs to the modal dialog is not blocked by it. The desktop keeps a window
    // of the dialog kind above the dialog it belongs to, but learns of both only when the window is
    // shown; a window already shown is left where the user put it, and is raised above its new
    // owner when that is activated (below).
    if (!isVisible()) {
        const Qt::WindowFlags kind =
            m_owner ? Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint
                    : Qt::Window;
        if (windowType() != (kind & Qt::WindowType_Mask))
            setWindowFlags(kind);
    }
    winId(); // the window handle exists from here on
    windowHandle()->setTransientParent(m_owner ? m_owner->windowHandle() : nullptr);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && event->type() == QEvent::WindowActivate && isVisible()) {
        // Some desktops lift a modal dialog over the windows it owns when it is clicked; the
        // manual goes back on top, without taking the focus, once the desktop has done so.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                raise();
        });
    }
    if (watched == m_owner && event->type() == QEvent::Hide) {
        // The dialog closed: the manual stays, above the modal dialog beneath, if any.
        QWidget* below = QApplication::activeModalWidget();
        keepAbove(below && below != m_owner && below->isVisible() ? below : nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

QString manualMissingText() {
    return HelpWindow::tr("The help file help/index.html was not found.");
}

ManualShown showManual(const QString& topic, QWidget* from) {
    const auto index = AppPaths::findResource("help/index.html");
    if (!index)
        return ManualShown::Missing;
    return showManualFile(QString::fromStdString(*index), topic, from);
}

QUrl manualPage(const QString& indexPath, const QString& topic) {
    const QUrl contents = QUrl::fromLocalFile(QFileInfo(indexPath).absoluteFilePath());
    if (topic.isEmpty())
        return contents;
    const QUrl relative(topic);
    if (!topic.startsWith(QLatin1Char('#')) && !relative.path().endsWith(QLatin1String(".html"))) {
        QUrl section = contents;
        section.setFragment(topic);
        return section;
    }
    const QUrl page = contents.resolved(relative);
    return QFileInfo(page.toLocalFile()).isFile() ? page : contents;
}

ManualShown showManualFile(const QString& indexPath, const QString& topic, QWidget* from) {
    if (!QFileInfo(indexPath).isFile())
        return ManualShown::Missing;
    const QUrl url = manualPage(indexPath, topic);
    if (openInDesktop(url))
        return ManualShown::InBrowser;
    QPointer<HelpWindow>& window = theWindow();
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Asked from a modal dialog, the manual must be above it and usable; asked from elsewhere,
    // it belongs to no dialog.
    QWidget* asking = from ? from->window() : nullptr;
    if (!asking || asking->windowModality() == Qt::NonModal)
        asking = QApplication::activeModalWidget();
    window->keepAbove(asking);
    window->showPage(url, QUrl::fromLocalFile(QFileInfo(indexPath).absoluteFilePath()));
    window->show();
    window->raise();
    window->activateWindow();
    return ManualShown::InOwnWindow;
}

void setDesktopOpenerForTests(std::function<bool(const QUrl&)> opener) {
    testOpener() = std::move(opener);
}

HelpWindow* openHelpWindow() {
    return theWindow();
}

} // namespace ardenvo
