#pragma once

#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace ardenvo {

// "Name": asks for a new name and makes it unique among the item's siblings instead of refusing
// a taken one.
class NameDialog : public QDialog {
    Q_OBJECT
public:
    // Whether some item other than the one being renamed bears a name.
    using TakenFn = std::function<bool(const std::string& name)>;

    // Shows `current` in the edit; OK turns the typed text into the result.
    NameDialog(QWidget* parent, std::string current, TakenFn taken);

    // The name the item takes after OK (also shown in the edit by then).
    const std::string& name() const { return m_name; }
    QLineEdit* nameEdit() const { return m_edit; }

    // The three modes. Each runs the dialog modally and returns the new name, nullopt on Cancel.
    // Block: unique among the section's blocks.
    static std::optional<std::string> getBlockName(QWidget* parent, const CSection& section,
                                                   const CBlock& block);
    // Object: unique among the objects on the block's floor.
    static std::optional<std::string> getObjectName(QWidget* parent, const CBlock& block,
                                                    const CHouseObject& object);
    // Category: unique among the object's categories, and never "Reminder", which names the
    // reminder list. `category` may be one of the object's categories or null for a new one.
    static std::optional<std::string> getCategoryName(QWidget* parent, const CHouseObject& object,
                                                      const CFieldList* category,
                                                      const std::string& current);

    // The rule itself: the wanted name when free, else "<wanted> <n>" for the first free n from
    // 2. An empty name stays empty.
    static std::string resolveName(const std::string& wanted, const TakenFn& taken);

    void accept() override;

private:
    std::string m_original; // the stored bytes, kept when the text is left as shown
    std::string m_name;
    TakenFn m_taken;
    QLineEdit* m_edit = nullptr;
};

} // namespace ardenvo
