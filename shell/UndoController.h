#pragma once

#include "shell/RecoveryFile.h"
#include "shell/UndoHistory.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace ardenvo {

class DocumentController;
class Prompter;

// Undo, redo and the recovery copy for the main program's document. The view and the frame say
// where an edit begins and ends; this class keeps the steps, follows the document's new houses
// and saves, and writes the recovery copy while there are unsaved changes.
class UndoController : public QObject {
    Q_OBJECT
public:
    explicit UndoController(DocumentController& controller, QObject* parent = nullptr);
    ~UndoController() override;

    UndoHistory& history() { return m_history; }

    // Turns the recovery copy on, in that folder, written at most `intervalMs` apart.
    void enableRecovery(const std::string& folder, int intervalMs = 120000);
    RecoveryFile* recovery() const { return m_recovery.get(); }

    // At start-up: offers each copy a crashed program left, whose house no running main program
    // has open. `ask` puts the question and returns true for Yes; Yes opens the house (titled
    // with its own path, modified), No removes the copy. A damaged copy is reported and kept
    // aside, told through `prompter` over `window`. True when a house was recovered.
    using Question = std::function<bool(const QString& text)>;
    bool offerRecovery(Prompter& prompter, QWidget* window, const Question& ask);

    // "Undo Delete", "Undo" when there is nothing to undo.
    QString undoText() const;
    QString redoText() const;
    // The same for the Edit menu: with its Alt-key letter, an "&" of the step's name kept as text.
    QString undoMenuText() const;
    QString redoMenuText() const;

public slots:
    void beginStep();
    void endStep(const QString& name);
    void undo();
    void redo();
    // Writes the recovery copy now when the house has unsaved changes (removes it otherwise).
    void writeRecovery();

signals:
    // Undo or redo became possible or impossible, or changed its name.
    void changed();
    // The house was put back by undo or redo.
    void restored();

private:
    void houseReplaced();
    void houseSaved();

    DocumentController& m_controller;
    UndoHistory m_history;
    std::unique_ptr<RecoveryFile> m_recovery;
    QTimer m_recoveryTimer;
    QElapsedTimer m_sinceCopy; // invalid while there is no copy
};

} // namespace ardenvo
