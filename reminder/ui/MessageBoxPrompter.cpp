#include "reminder/ui/MessageBoxPrompter.h"

#include "platform/TextCodec.h"

#include <QMessageBox>
#include <QWidget>

namespace ardenvo {

namespace {
// A hidden owner would centre the box on nothing; then it stands alone.
QWidget* visibleOwner(QWidget* owner) {
    return owner && owner->isVisible() ? owner : nullptr;
}
} // namespace

void MessageBoxPrompter::showError(const std::string& title, const std::string& text) {
    QMessageBox::critical(visibleOwner(m_owner), displayText(title), displayText(text));
}

void MessageBoxPrompter::showInformation(const std::string& title, const std::string& text) {
    QMessageBox::information(visibleOwner(m_owner), displayText(title), displayText(text));
}

bool MessageBoxPrompter::askYesNo(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, displayText(title), displayText(text),
                    QMessageBox::Yes | QMessageBox::No, visibleOwner(m_owner));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace ardenvo
