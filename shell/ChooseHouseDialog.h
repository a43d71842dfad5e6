#pragma once

#include <QDialog>
#include <QStringList>

class QTreeWidget;

namespace ardenvo {

class Prompter;

// "Choose": offered at start-up when no project was named. Lists the predone houses shipped with
// the program and the houses opened in the past; the user picks one or continues with the new
// house.
class ChooseHouseDialog : public QDialog {
    Q_OBJECT
public:
    struct Choice {
        enum class Kind { Continue, Predone, Recent } kind = Kind::Continue;
        QString path;         // the predone house's file
        int recentIndex = -1; // row of the recent list, from 0
    };

    ChooseHouseDialog(const QStringList& predone, const QStringList& recent, Prompter& prompter,
                      QWidget* parent = nullptr);

    static Choice run(QWidget* parent, const QStringList& predone, const QStringList& recent,
                      Prompter& prompter);

    Choice choice() const { return m_choice; }
    QTreeWidget* predoneList() const { return m_predone; }
    QTreeWidget* recentList() const { return m_recent; }

    // The two "Choose" buttons; no selection gives the message and the dialog stays open.
    void choosePredone();
    void chooseRecent();

    // Name and Path columns of a row for `path`: the file name, and the folder with its
    // trailing separator.
    static QStringList splitPath(const QString& path);

private:
    // The predone houses show their full path, the recent ones their folder.
    enum class PathColumn { Folder, FullPath };
    QTreeWidget* makeList(const QStringList& paths, PathColumn column);
    void tellNoSelection(const QString& text);

    Prompter& m_prompter;
    QTreeWidget* m_predone = nullptr;
    QTreeWidget* m_recent = nullptr;
    Choice m_choice;
};

} // namespace ardenvo
