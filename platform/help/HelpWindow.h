#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QTextBrowser;
class QToolButton;

namespace ardenvo {

// The manual in a window of our own: the pages with Back, Forward and "Contents" (the table of
// contents on the first page). Links to other pages of the manual are followed inside; links out of
// it go to the desktop.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (a file:// URL, with an anchor or not). "Contents" goes to `contents`, or,
    // when none is given, to the first page shown.
    void showPage(const QUrl& page, const QUrl& contents = {});
    QTextBrowser* browser() const { return m_browser; }

    // Keeps the window above `owner` (a modal dialog, or null for none) and usable while that
    // dialog is open. When the owner closes, the window stays open, passed on to the modal dialog
    // below it, if any.
    void keepAbove(QWidget* owner);
    QWidget* owner() const { return m_owner; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_contents;
    QUrl m_home;
    QPointer<QWidget> m_owner;
};

// How the manual was shown.
enum class ManualShown { InBrowser, InOwnWindow, Missing };

// The message for a manual that is not installed, the same in every place that offers help.
QString manualMissingText();

// Shows the manual (help/index.html in the programs' resource folders) at `topic`: empty for its
// contents, a section of the first page ("sections"), or another page with or without a section
// ("objects.html#move"; a page that is not installed gives the contents). It opens in the
// desktop's browser when the desktop has one, else in the one HelpWindow of the program, raised
// when it is already open and kept above the modal dialog that asks (`from`'s window, else the
// active modal dialog), so that it can be read and used while that dialog stays open. On Missing
// nothing is shown: the caller says so with manualMissingText() in its own way.
ManualShown showManual(const QString& topic = {}, QWidget* from = nullptr);
// The same for a given index file, for tests and other manuals.
ManualShown showManualFile(const QString& indexPath, const QString& topic, QWidget* from = nullptr);
// Where `topic` (as above) leads in the manual whose contents page is `indexPath`.
QUrl manualPage(const QString& indexPath, const QString& topic);

// Replaces the way the desktop is asked to open the manual (tests answer "cannot"); an empty
// function restores the desktop's.
void setDesktopOpenerForTests(std::function<bool(const QUrl&)> opener);
// The program's HelpWindow, or null when none is open.
HelpWindow* openHelpWindow();

} // namespace ardenvo
