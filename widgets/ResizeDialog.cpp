#include "widgets/ResizeDialog.h"

#include "planeditor/layout/BlockLayout.h"
#include "widgets/DialogSupport.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ardenvo {

ResizeDialog::ResizeDialog(QWidget* parent, const UnitTable& units, const CBlock& block,
                           const CHouseObject* object, Prompter& prompter)
    : QDialog(parent), m_units(units.index()), m_block(block), m_object(object),
      m_prompter(prompter) {
    setWindowTitle(tr("Resize"));

    m_widthEdit = new QLineEdit(this);
    m_widthEdit->setObjectName(QStringLiteral("widthEdit"));
    m_heightEdit = new QLineEdit(this);
    m_heightEdit->setObjectName(QStringLiteral("heightEdit"));
    const QString unitName = unitNameText(m_units.index());

    // The unit stands beside the edits, where a screen reader would not connect it with them.
    m_widthEdit->setAccessibleDescription(unitName);
    m_heightEdit->setAccessibleDescription(unitName);

    auto* grid = new QGridLayout;
    auto* widthLabel = new QLabel(tr("&Width:"), this);
    widthLabel->setBuddy(m_widthEdit);
    auto* heightLabel = new QLabel(tr("&Height:"), this);
    heightLabel->setBuddy(m_heightEdit);
    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(m_widthEdit, 0, 1);
    grid->addWidget(new QLabel(unitName, this), 0, 2);
    grid->addWidget(heightLabel, 1, 0);
    grid->addWidget(m_heightEdit, 1, 1);
    grid->addWidget(new QLabel(unitName, this), 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setLayout(layout);

    const Rect& r = m_object ? m_object->location.rect : m_block.rect();
    showValues(r.width(), r.height());
    m_widthEdit->selectAll();
}

void ResizeDialog::showValues(double widthCm, double heightCm) {
    m_widthEdit->setText(formatTwoDecimals(m_units.toDisplay(widthCm)));
    m_heightEdit->setText(formatTwoDecimals(m_units.toDisplay(heightCm)));
}

void ResizeDialog::refuse(const QString& message, double limitCm, double widthCm, double heightCm,
                          bool limitsWidth) {
    showRefusal(m_prompter, this, message.arg(formatTwoDecimals(m_units.toDisplay(limitCm))));
    if (limitsWidth)
        showValues(limitCm, heightCm);
    else
        showValues(widthCm, limitCm);
    QLineEdit* edit = limitsWidth ? m_widthEdit : m_heightEdit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void ResizeDialog::accept() {
    const auto width = readNumber(m_widthEdit, m_prompter);
    if (!width)
        return;
    const auto height = readNumber(m_heightEdit, m_prompter);
    if (!height)
        return;
    const double w = centimetresOf(*width, m_units);
    const double h = centimetresOf(*height, m_units);

    if (!m_object) {
        const Size minimum = minimumBlockSize(m_block);
        if (minimum.width > w)
            return refuse(tr("Because of the objects inside, the minimium width is %1"),
                          minimum.width, w, h, true);
        if (minimum.height > h)
            return refuse(tr("Because of the objects inside, the minimium height is %1"),
                          minimum.height, w, h, false);
        // Far beyond any house, and coordinates would overflow on the way there.
        if (w > kMaximumExtent)
            return refuse(tr("The largest width is %1"), kMaximumExtent, w, h, true);
        if (h > kMaximumExtent)
            return refuse(tr("The largest height is %1"), kMaximumExtent, w, h, false);
    } else {
        const Rect& r = m_object->location.rect;
        const double maxWidth = static_cast<double>(m_block.rect().width()) - r.left - 10;
        const double maxHeight = static_cast<double>(m_block.rect().height()) - r.top - 10;
        if (w > maxWidth)
            return refuse(tr("Because the object is inside a room/hall, the maximum width is %1"),
                          maxWidth, w, h, true);
        if (h > maxHeight)
            return refuse(tr("Because the object is inside a room/hall, the maximum height is %1"),
                          maxHeight, w, h, false);
        // An object of no extent (or a negative one) could never be seen or picked up again.
        if (w < 1)
            return refuse(tr("The smallest width is %1"), 1, w, h, true);
        if (h < 1)
            return refuse(tr("The smallest height is %1"), 1, w, h, false);
    }
    m_result = QSizeF(w, h);
    QDialog::accept();
}

std::optional<QSizeF> ResizeDialog::getBlockSize(QWidget* parent, const UnitTable& units,
                                                 const CBlock& block, Prompter& prompter) {
    ResizeDialog dialog(parent, units, block, nullptr, prompter);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sizeInCentimetres();
}

std::optional<QSizeF> ResizeDialog::getObjectSize(QWidget* parent, const UnitTable& units,
                                                  const CBlock& block, const CHouseObject& object,
                                                  Prompter& prompter) {
    ResizeDialog dialog(parent, units, block, &object, prompter);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sizeInCentimetres();
}

} // namespace ardenvo
