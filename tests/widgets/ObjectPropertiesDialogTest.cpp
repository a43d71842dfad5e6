#include "planeditor/view/DialogTestSupport.h"

#include "platform/Settings.h"
#include "widgets/ObjectPropertiesDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class ObjectPropertiesDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<SettingsFile>(dir.filePath("registry.conf").toStdString());
    }
    std::unique_ptr<ObjectPropertiesDialog> open(std::optional<ObjectProperties> current = {},
                                                 bool positionFixed = false) {
        auto d = std::make_unique<ObjectPropertiesDialog>(nullptr, current, positionFixed,
                                                          *settings, prompter);
        d->show();
        return d;
    }
    std::optional<std::int32_t> storedUnits() const { return Settings(*settings).objectUnits(); }

    QTemporaryDir dir;
    std::unique_ptr<SettingsFile> settings;
    ScriptedPrompter prompter;
};

} // namespace

TEST_F(ObjectPropertiesDialogTest, ANewObjectShowsTheDefaultsInTheUnitKeptInTheSettings) {
    Settings(*settings).setObjectUnits(2);
    auto d = open();
    EXPECT_EQ(d->nameEdit()->text(), QStringLiteral("Object"));
    EXPECT_EQ(d->positionCombo()->currentText(), QStringLiteral("On top"));
    EXPECT_TRUE(d->positionCombo()->isEnabled());
    EXPECT_EQ(d->colorSwatch()->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(d->lengthEdit()->text(), QStringLiteral("27.56"));
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("27.56"));
    EXPECT_EQ(d->unitCombo()->currentText(), QStringLiteral("Inches"));

    // Confirmed as shown, the sizes are still exactly 70 cm.
    clickOk(d.get());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->properties(), ObjectProperties{});
    EXPECT_EQ(storedUnits(), 2);
}

TEST_F(ObjectPropertiesDialogTest, UnitsConvertWhatIsShownAndOkRemembersTheUnit) {
    auto d = open(ObjectProperties{"Piano", NestPosition::Inside, rgb(10, 20, 30), 152, 60}, true);
    EXPECT_EQ(d->unitIndex(), 0); // nothing stored yet
    EXPECT_FALSE(d->positionCombo()->isEnabled());
    EXPECT_EQ(d->positionCombo()->currentText(), QStringLiteral("Inside"));
    EXPECT_EQ(d->lengthEdit()->text(), QStringLiteral("152.00"));

    d->unitCombo()->setCurrentIndex(1);
    EXPECT_EQ(d->lengthEdit()->text(), QStringLiteral("1.52"));
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("0.60"));
    d->unitCombo()->setCurrentIndex(3);
    retype(d->widthEdit(), "2.5"); // feet
    d->unitCombo()->setCurrentIndex(1);
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("0.76"));
    EXPECT_EQ(d->lengthEdit()->text(), QStringLiteral("1.52"));

    prompter.colors.push_back(rgb(200, 100, 50));
    QTest::mouseClick(d->changeColorButton(), Qt::LeftButton);
    EXPECT_EQ(d->colorSwatch()->palette().color(QPalette::Window), QColor(200, 100, 50));
    retype(d->nameEdit(), "Grand piano");

    clickOk(d.get());
    ASSERT_EQ(d->result(), QDialog::Accepted);
    const ObjectProperties& p = d->properties();
    EXPECT_EQ(p.name, "Grand piano");
    EXPECT_EQ(p.position, NestPosition::Inside);
    EXPECT_EQ(p.color, rgb(200, 100, 50));
    EXPECT_DOUBLE_EQ(p.length, 152);
    EXPECT_DOUBLE_EQ(p.width, 2.5 * 30.48);
    EXPECT_EQ(storedUnits(), 1);

    // The next dialog starts in meters.
    auto next = open();
    EXPECT_EQ(next->unitCombo()->currentText(), QStringLiteral("Meters"));
    EXPECT_EQ(next->lengthEdit()->text(), QStringLiteral("0.70"));
    next->unitCombo()->setCurrentIndex(4);
    clickCancel(next.get());
    EXPECT_EQ(storedUnits(), 1); // Cancel stores no unit
}

TEST_F(ObjectPropertiesDialogTest, DamagedUnitsAndSizesThatAreNoNumbersOrNotPositiveAreRefused) {
    // An index outside 0-4 in the settings file counts as none.
    settings->writeDword("Software\\Ardenvo\\Setup", "Units", 9);
    auto d = open();
    EXPECT_EQ(d->unitIndex(), 0);
    QTest::mouseClick(d->changeColorButton(), Qt::LeftButton); // chooser cancelled
    EXPECT_EQ(d->colorSwatch()->palette().color(QPalette::Window), QColor(Qt::black));
    retype(d->lengthEdit(), "long");
    clickOk(d.get());
    EXPECT_EQ(warnings(prompter), QStringList{"Please enter a number."});
    retype(d->lengthEdit(), "-5");
    clickOk(d.get());
    EXPECT_EQ(warnings(prompter).last(),
              QStringLiteral("Please enter a number between 1.00 and 100000.00."));
    retype(d->lengthEdit(), "0.4");
    clickOk(d.get());
    EXPECT_EQ(warnings(prompter).size(), 3);
    retype(d->lengthEdit(), "20");
    retype(d->widthEdit(), "1e9");
    clickOk(d.get());
    EXPECT_EQ(warnings(prompter).size(), 4);
    EXPECT_TRUE(d->isVisible());

    d->unitCombo()->setCurrentIndex(2);
    retype(d->widthEdit(), "0.39"); // one centimetre as inches show it
    clickOk(d.get());
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(d->properties().length, 20);
    EXPECT_DOUBLE_EQ(d->properties().width, 1);
}
