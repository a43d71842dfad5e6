#pragma once

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

    // Shows the page (a file:// URL, with an anchor or not); the first page shown is the contents.
    void showPage(const QUrl& page);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_contents;
    QUrl m_home;
};

// How the manual was shown.
enum class ManualShown { InBrowser, InOwnWindow, Missing };

// The message for a manual that is not installed, the same in every place that offers help.
QString manualMissingText();

// Shows the manual (help/index.html in the programs' resource folders) at `topic`, an anchor of
// it or empty: in the desktop's browser when the desktop has one, else in the one HelpWindow of
// the program, raised when it is already open. On Missing nothing is shown: the caller says so
// with manualMissingText() in its own way.
ManualShown showManual(const QString& topic = {});
// The same for a given index file, for tests and other manuals.
ManualShown showManualFile(const QString& indexPath, const QString& topic);

// Replaces the way the desktop is asked to open the manual (tests answer "cannot"); an empty
// function restores the desktop's.
void setDesktopOpenerForTests(std::function<bool(const QUrl&)> opener);
// The program's HelpWindow, or null when none is open.
HelpWindow* openHelpWindow();

} // namespace ardenvo
