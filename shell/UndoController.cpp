#include "shell/UndoController.h"

#include "coordination/DocumentRegistration.h"
#include "platform/posix/FileNames.h"
#include "shell/DocumentController.h"
#include "widgets/Prompter.h"

#include <QFile>

namespace ardenvo {

namespace {

QString decoded(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

UndoController::UndoController(DocumentController& controller, QObject* parent)
    : QObject(parent), m_controller(controller) {
    connect(&controller, &DocumentController::houseReplaced, this, &UndoController::houseReplaced);
    connect(&controller, &DocumentController::houseSaved, this, &UndoController::houseSaved);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &UndoController::writeRecovery);
}

// A clean exit leaves nothing to recover.
UndoController::~UndoController() {
    if (m_recovery)
        m_recovery->remove();
}

void UndoController::enableRecovery(const std::string& folder, int intervalMs) {
    m_recovery = std::make_unique<RecoveryFile>(folder);
    m_recoveryTimer.start(intervalMs);
}

QString UndoController::undoText() const {
    const std::string name = m_history.undoName();
    if (name.empty())
        return tr("Undo");
    //: %1 is the name of the step, such as "Sections" or "Move object".
    return tr("Undo %1").arg(QString::fromStdString(name));
}

QString UndoController::redoText() const {
    const std::string name = m_history.redoName();
    if (name.empty())
        return tr("Redo");
    //: %1 is the name of the step, such as "Sections" or "Move object".
    return tr("Redo %1").arg(QString::fromStdString(name));
}

QString UndoController::undoMenuText() const {
    const std::string name = m_history.undoName();
    if (name.empty())
        return tr("&Undo");
    //: %1 is the name of the step, such as "Sections" or "Move object".
    return tr("&Undo %1").arg(withPlainAmpersands(QString::fromStdString(name)));
}

QString UndoController::redoMenuText() const {
    const std::string name = m_history.redoName();
    if (name.empty())
        return tr("&Redo");
    //: %1 is the name of the step, such as "Sections" or "Move object".
    return tr("&Redo %1").arg(withPlainAmpersands(QString::fromStdString(name)));
}

void UndoController::beginStep() {
    const bool wasInStep = m_history.inStep();
    m_history.begin(m_controller.document());
    if (!wasInStep)
        emit changed(); // nothing to undo while an edit runs
}

void UndoController::endStep(const QString& name) {
    if (!m_history.inStep())
        return;
    const bool kept = m_history.end(m_controller.document(), name.toStdString());
    if (m_history.inStep())
        return;
    emit changed();
    // A copy at most one interval old, even while the timer waits.
    if (kept && m_recovery &&
        (!m_sinceCopy.isValid() || m_sinceCopy.elapsed() >= m_recoveryTimer.interval()))
        writeRecovery();
}

void UndoController::undo() {
    if (m_controller.isBusy() || !m_history.undo(m_controller.document()))
        return;
    emit restored();
    emit changed();
}

void UndoController::redo() {
    if (m_controller.isBusy() || !m_history.redo(m_controller.document()))
        return;
    emit restored();
    emit changed();
}

void UndoController::writeRecovery() {
    if (!m_recovery)
        return;
    if (!m_controller.isModified()) {
        m_recovery->remove();
        m_sinceCopy.invalidate();
        return;
    }
    // A failed copy is tried again at the next interval; the house itself is untouched.
    if (m_recovery->write(m_controller.document()))
        m_sinceCopy.start();
}

void UndoController::houseReplaced() {
    m_history.clear();
    if (m_recovery) {
        m_recovery->remove();
        m_sinceCopy.invalidate();
    }
    emit changed();
}

void UndoController::houseSaved() {
    const FileStamp& stamp = m_controller.diskStamp();
    if (stamp.known)
        m_history.setSavedState(stamp.size, stamp.hash);
    if (m_recovery) {
        m_recovery->remove();
        m_sinceCopy.invalidate();
    }
}

bool UndoController::offerRecovery(Prompter& prompter, QWidget* window, const Question& ask) {
    if (!m_recovery)
        return false;
    for (const RecoveryFile::LeftOver& left : m_recovery->leftOvers()) {
        RecoveryFile::Contents contents;
        std::string error;
        if (!RecoveryFile::read(left.file, contents, &error)) {
            const std::string aside = RecoveryFile::keepAside(left.file);
            //: Follows the sentence that the recovery file is damaged.
            const QString keptAs =
                aside.empty() ? QString() : tr(" It has been kept as %1.").arg(decoded(aside));
            prompter.message(
                window,
                {tr("The recovery file %1 is damaged (%2) and cannot be opened.%3")
                     .arg(decoded(left.file), RecoveryFile::translatedReason(error), keptAs),
                 Prompter::Icon::Warning});
            continue;
        }
        // Its house is being edited elsewhere; that program has the newer changes.
        if (!contents.housePath.empty() && isOpenInMainProgram(contents.housePath))
            continue;
        const QString name =
            contents.housePath.empty() ? tr("Untitled") : decoded(contents.housePath);
        // The path on a line of its own, where it fits whole: within the sentence the box
        // would break it after any "/".
        if (!ask(tr("Ardenvo was not closed properly. Recover the unsaved changes of\n%1?")
                     .arg(name))) {
            removeFile(left.file);
            continue;
        }
        if (!m_controller.openRecovered(contents.house, decoded(contents.housePath)))
            return false;
        // The changes are safe in this program's own copy before the old one goes.
        writeRecovery();
        removeFile(left.file);
        return true;
    }
    return false;
}

} // namespace ardenvo
