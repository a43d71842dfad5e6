#pragma once

// The main window and every dialog of both programs, each made over the family house with its
// living room and that room's first object, for the tests that look at all of them: scaling,
// keyboard, screen readers and translations.
#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "platform/SettingsFile.h"
#include "search/dialog/PrintSeam.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "support/ScriptedPrompter.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace ardenvo::test {

inline const QSize kScreen(1920, 1080);

class NoPrinting : public PrintSeam {
public:
    bool askPrint(QWidget*, QPrinter&) override { return false; }
    void askPageSetup(QWidget*, QPrinter&) override {}
    bool openManual(QWidget*, const QString&) override { return true; }
};

// What the windows show: the family house with its living room and that room's first object.
struct Scene {
    Scene();
    ScriptedPrompter prompter;
    NoPrinting printing;
    SettingsFile settings;
    RecentFileList recent{settings};
    DocumentController controller{prompter, recent};
    CBlock* room = nullptr;
    CHouseObject* object = nullptr;
    CField picture{"Front", "front.jpg"};

    CBrenvikaDoc& doc() { return controller.document(); }
};

using Make = std::function<std::unique_ptr<QWidget>(Scene&)>;
struct Window {
    const char* name;
    Make make;
};

const std::vector<Window>& windows();
std::string windowName(const Window& window);

// The house file the scene shows, as the windows show its texts: a text found in it is the user's
// data, not one of the program's own.
const QString& houseText();

// A window of the table made, shown and exposed, with events processed.
std::unique_ptr<QWidget> showWindow(Scene& scene, const Window& window);

inline void PrintTo(const Window& window, std::ostream* os) {
    *os << window.name;
}

} // namespace ardenvo::test

// The faults the checks list, one a line, as GoogleTest prints them.
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << (list.isEmpty() ? "none" : "\n" + list.join(QLatin1Char('\n')).toStdString());
}
