#include "widgets/ObjectPropertiesDialog.h"

#include "platform/Settings.h"
#include "platform/TextCodec.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ardenvo {

ObjectPropertiesDialog::ObjectPropertiesDialog(QWidget* parent,
                                               const std::optional<ObjectProperties>& current,
                                               bool positionFixed, SettingsFile& settings,
                                               Prompter& prompter)
    : QDialog(parent), m_settings(settings), m_prompter(prompter),
      m_units(Settings(settings).objectUnits().value_or(0)),
      m_values(current.value_or(ObjectProperties{})) {
    if (!nestPositionOf(static_cast<int>(m_values.position)))
        m_values.position = ObjectProperties{}.position;
    m_originalName = m_values.name;
    m_result = m_values;
    setWindowTitle(tr("Object properties"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makePropertiesGroup(positionFixed));
    layout->addWidget(makeColorGroup());
    layout->addWidget(makeSizeGroup());
    layout->addWidget(buttons);
    setLayout(layout);

    showColor();
    showSizes();
    m_nameEdit->setFocus(Qt::OtherFocusReason);
    m_nameEdit->selectAll();
}

QWidget* ObjectPropertiesDialog::makePropertiesGroup(bool positionFixed) {
    auto* group = new QGroupBox(tr("Properties"), this);
    m_nameEdit = new QLineEdit(displayText(m_values.name), group);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_positionCombo = new QComboBox(group);
    m_positionCombo->setObjectName(QStringLiteral("positionCombo"));
    m_positionCombo->addItems(
        //: Where an object stands in relation to the one that holds it
        {tr("Under", "position"), tr("Inside", "position"), tr("On top", "position")});
    m_positionCombo->setCurrentIndex(static_cast<int>(m_values.position));
    m_positionCombo->setEnabled(!positionFixed);
    auto* form = new QFormLayout(group);
    form->addRow(tr("&Name:"), m_nameEdit);
    form->addRow(tr("&Position:"), m_positionCombo);
    return group;
}

QWidget* ObjectPropertiesDialog::makeColorGroup() {
    auto* group = new QGroupBox(tr("Color"), this);
    m_swatch = new QFrame(group);
    m_swatch->setObjectName(QStringLiteral("colorSwatch"));
    m_swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_swatch->setFixedSize(48, 24);
    m_swatch->setAutoFillBackground(true);
    //: Opens the colour dialog for the object's colour
    m_changeColor = new QPushButton(tr("&Change"), group);
    m_changeColor->setAccessibleDescription(tr("Choose the object's color"));
    m_swatch->setAccessibleName(tr("Color"));
    m_changeColor->setObjectName(QStringLiteral("changeColor"));
    m_changeColor->setAutoDefault(false);
    connect(m_changeColor, &QPushButton::clicked, this, &ObjectPropertiesDialog::chooseColor);
    auto* row = new QHBoxLayout(group);
    row->addWidget(m_swatch);
    row->addWidget(m_changeColor);
    row->addStretch();
    return group;
}

QWidget* ObjectPropertiesDialog::makeSizeGroup() {
    auto* group = new QGroupBox(tr("Size"), this);
    m_lengthEdit = new QLineEdit(group);
    m_lengthEdit->setObjectName(QStringLiteral("lengthEdit"));
    m_widthEdit = new QLineEdit(group);
    m_widthEdit->setObjectName(QStringLiteral("widthEdit"));
    m_unitCombo = new QComboBox(group);
    m_unitCombo->setObjectName(QStringLiteral("unitCombo"));
    for (int i = 0; i < UnitTable::kCount; ++i)
        m_unitCombo->addItem(unitLabelText(i));
    m_unitCombo->setCurrentIndex(m_units.index());

    // Only an edit recomputes the centimetres, so a value merely shown in another unit keeps its
    // exact size.
    connect(m_lengthEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const auto value = parseNumber(text))
            m_values.length = centimetresOf(*value, m_units);
    });
    connect(m_widthEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const auto value = parseNumber(text))
            m_values.width = centimetresOf(*value, m_units);
    });
    connect(m_unitCombo, &QComboBox::currentIndexChanged, this,
            &ObjectPropertiesDialog::unitChosen);

    auto* form = new QFormLayout(group);
    form->addRow(tr("&Length:"), m_lengthEdit);
    form->addRow(tr("&Width:"), m_widthEdit);
    form->addRow(tr("&Units of measurement:"), m_unitCombo);
    return group;
}

void ObjectPropertiesDialog::showSizes() {
    m_lengthEdit->setText(formatTwoDecimals(m_units.toDisplay(m_values.length)));
    m_widthEdit->setText(formatTwoDecimals(m_units.toDisplay(m_values.width)));
}

void ObjectPropertiesDialog::showColor() {
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, QColor(redOf(m_values.color), greenOf(m_values.color),
                                              blueOf(m_values.color)));
    m_swatch->setPalette(palette);
}

void ObjectPropertiesDialog::chooseColor() {
    if (const auto color = m_prompter.askColor(this, m_values.color)) {
        m_values.color = *color;
        showColor();
    }
}

void ObjectPropertiesDialog::unitChosen(int index) {
    if (index < 0)
        return;
    m_units.setIndex(index);
    showSizes();
}

std::optional<double> ObjectPropertiesDialog::readSize(QLineEdit* edit) {
    if (!readNumber(edit, m_prompter))
        return std::nullopt;
    const double cm = edit == m_lengthEdit ? m_values.length : m_values.width;
    // A size below one centimetre becomes an empty rectangle once truncated, and a negative one
    // an inverted rectangle.
    if (cm < 1 || cm > kMaximumExtent) {
        showWarning(m_prompter, edit,
                    tr("Please enter a number between %1 and %2.")
                        .arg(formatTwoDecimals(m_units.toDisplay(1)),
                             formatTwoDecimals(m_units.toDisplay(kMaximumExtent))));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return std::nullopt;
    }
    return cm;
}

void ObjectPropertiesDialog::accept() {
    if (!readSize(m_lengthEdit) || !readSize(m_widthEdit))
        return;
    Settings(m_settings).setObjectUnits(m_units.index());
    QDialog::accept();
}

void ObjectPropertiesDialog::done(int result) {
    // A name read from another system's file shows converted; left untouched it keeps its bytes.
    const QString text = m_nameEdit->text();
    m_values.name = text == displayText(m_originalName) ? m_originalName : storedText(text);
    m_values.position =
        nestPositionOf(m_positionCombo->currentIndex()).value_or(ObjectProperties{}.position);
    m_result = m_values;
    QDialog::done(result);
}

std::optional<ObjectProperties>
ObjectPropertiesDialog::edit(QWidget* parent, const std::optional<ObjectProperties>& current,
                             bool positionFixed) {
    ObjectPropertiesDialog dialog(parent, current, positionFixed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.properties();
}

} // namespace ardenvo
