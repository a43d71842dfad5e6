#pragma once

#include "model/ObjectProperties.h"
#include "planeditor/layout/UnitTable.h"
#include "platform/SettingsFile.h"
#include "widgets/DialogSupport.h"
#include "widgets/QtPrompter.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace ardenvo {

// "Object properties": name, position, colour and size of an object. Its unit of measurement is
// its own, kept in the settings file ("Software\Ardenvo\Setup" value "Units") between uses.
class ObjectPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // The largest length or width, far beyond any object and far from overflowing coordinates.
    static constexpr int kMaximumExtent = 100000;

    // `current` empty: a new object with the defaults. `positionFixed` disables the position
    // list (floor objects).
    ObjectPropertiesDialog(QWidget* parent, const std::optional<ObjectProperties>& current,
                           bool positionFixed, SettingsFile& settings = SettingsFile::user(),
                           Prompter& prompter = standardPrompter());

    // Runs modally; the edited properties after OK, nullopt after Cancel.
    static std::optional<ObjectProperties>
    edit(QWidget* parent, const std::optional<ObjectProperties>& current, bool positionFixed);

    // The result, taken when the dialog closes (by OK or Cancel); use it only after OK.
    const ObjectProperties& properties() const { return m_result; }
    int unitIndex() const { return m_units.index(); }

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QComboBox* positionCombo() const { return m_positionCombo; }
    QFrame* colorSwatch() const { return m_swatch; }
    QPushButton* changeColorButton() const { return m_changeColor; }
    QLineEdit* lengthEdit() const { return m_lengthEdit; }
    QLineEdit* widthEdit() const { return m_widthEdit; }
    QComboBox* unitCombo() const { return m_unitCombo; }

    void accept() override;
    void done(int result) override;

private:
    QWidget* makePropertiesGroup(bool positionFixed);
    QWidget* makeColorGroup();
    QWidget* makeSizeGroup();
    void showSizes();
    void showColor();
    void chooseColor();
    void unitChosen(int index);
    // Checks one size edit; its value in centimetres or nullopt after a warning.
    std::optional<double> readSize(QLineEdit* edit);

    SettingsFile& m_settings;
    Prompter& m_prompter;
    UnitTable m_units;
    ObjectProperties m_values; // as edited so far; sizes in centimetres
    ObjectProperties m_result;
    std::string m_originalName;

    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_positionCombo = nullptr;
    QFrame* m_swatch = nullptr;
    QPushButton* m_changeColor = nullptr;
    QLineEdit* m_lengthEdit = nullptr;
    QLineEdit* m_widthEdit = nullptr;
    QComboBox* m_unitCombo = nullptr;
};

} // namespace ardenvo
