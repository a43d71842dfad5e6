#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"
#include "planeditor/layout/UnitTable.h"
#include "widgets/Prompter.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QSizeF>

#include <optional>

class QLineEdit;

namespace ardenvo {

// "Resize": the width and height of a block, or of an object on a block's floor, in the
// document's unit, kept within what the objects inside and the surrounding block allow.
class ResizeDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Block = 0, Object = 1 };

    // The object mode needs `object`, which must stand on `block`'s floor.
    ResizeDialog(QWidget* parent, const UnitTable& units, const CBlock& block,
                 const CHouseObject* object = nullptr, Prompter& prompter = standardPrompter());

    // After OK: the new extent in centimetres (width east-west, height north-south).
    QSizeF sizeInCentimetres() const { return m_result; }
    QLineEdit* widthEdit() const { return m_widthEdit; }
    QLineEdit* heightEdit() const { return m_heightEdit; }
    Mode mode() const { return m_object ? Mode::Object : Mode::Block; }

    // Run modally; the new width and height in centimetres, nullopt on Cancel.
    static std::optional<QSizeF> getBlockSize(QWidget* parent, const UnitTable& units,
                                              const CBlock& block,
                                              Prompter& prompter = standardPrompter());
    static std::optional<QSizeF> getObjectSize(QWidget* parent, const UnitTable& units,
                                               const CBlock& block, const CHouseObject& object,
                                               Prompter& prompter = standardPrompter());

    // The largest extent a block may take either way, so coordinates stay far from overflow.
    static constexpr int kMaximumExtent = 100000;

    void accept() override;

private:
    // Shows the refusal and the corrected values; the dialog stays open.
    void refuse(const QString& message, double limitCm, double widthCm, double heightCm,
                bool limitsWidth);
    void showValues(double widthCm, double heightCm);

    UnitTable m_units;
    const CBlock& m_block;
    const CHouseObject* m_object;
    Prompter& m_prompter;
    QLineEdit* m_widthEdit = nullptr;
    QLineEdit* m_heightEdit = nullptr;
    QSizeF m_result;
};

} // namespace ardenvo
