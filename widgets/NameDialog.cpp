#include "widgets/NameDialog.h"

#include "model/UniqueName.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

std::optional<std::string> runNameDialog(QWidget* parent, const std::string& current,
                                         NameDialog::TakenFn taken) {
    NameDialog dialog(parent, current, std::move(taken));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.name();
}

} // namespace

NameDialog::NameDialog(QWidget* parent, std::string current, TakenFn taken)
    : QDialog(parent), m_original(std::move(current)), m_name(m_original),
      m_taken(std::move(taken)) {
    setWindowTitle(tr("Name"));

    auto* label = new QLabel(tr("&Name"), this);
    m_edit = new QLineEdit(displayText(m_original), this);
    m_edit->setObjectName(QStringLiteral("nameEdit"));
    m_edit->setMinimumWidth(240);
    m_edit->selectAll();
    label->setBuddy(m_edit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setLayout(layout);
}

std::string NameDialog::resolveName(const std::string& wanted, const TakenFn& taken) {
    if (wanted.empty())
        return wanted;
    return uniqueSiblingName(wanted, taken);
}

void NameDialog::accept() {
    // A name read from another system's file shows converted; left untouched it keeps its bytes.
    const QString text = m_edit->text();
    const std::string wanted = text == displayText(m_original) ? m_original : storedText(text);
    // The item itself never counts as a clash (the taken test skips it), so renaming it to its
    // own name keeps that name.
    m_name = resolveName(
        wanted, m_taken ? m_taken : [](const std::string&) { return false; });
    m_edit->setText(displayText(m_name));
    QDialog::accept();
}

std::optional<std::string> NameDialog::getBlockName(QWidget* parent, const CSection& section,
                                                    const CBlock& block) {
    return runNameDialog(parent, block.name, [&section, &block](const std::string& name) {
        for (const auto& b : section.blocks())
            if (b.get() != &block && b->name == name)
                return true;
        return false;
    });
}

std::optional<std::string> NameDialog::getObjectName(QWidget* parent, const CBlock& block,
                                                     const CHouseObject& object) {
    return runNameDialog(parent, object.name, [&block, &object](const std::string& name) {
        for (const auto& o : block.floorObjects())
            if (o.get() != &object && o->name == name)
                return true;
        return false;
    });
}

std::optional<std::string> NameDialog::getCategoryName(QWidget* parent, const CHouseObject& object,
                                                       const CFieldList* category,
                                                       const std::string& current) {
    return runNameDialog(parent, current, [&object, category](const std::string& name) {
        if (name == "Reminder")
            return true;
        for (const auto& c : object.categories())
            if (c.get() != category && c->title == name)
                return true;
        return false;
    });
}

} // namespace ardenvo
