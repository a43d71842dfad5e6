#pragma once

#include "reminder/core/ReminderPorts.h"

class QWidget;

namespace ardenvo {

// Messages and questions as message boxes over the reminder window.
class MessageBoxPrompter : public ReminderPrompter {
public:
    explicit MessageBoxPrompter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void showError(const std::string& title, const std::string& text) override;
    void showInformation(const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

private:
    QWidget* m_owner;
};

} // namespace ardenvo
