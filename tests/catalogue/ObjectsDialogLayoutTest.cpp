// The "Objects inside" dialog keeps its layout while the category panel changes editors.
#include "CatalogueTestSupport.h"

#include "catalogue/fields/CategoryPanel.h"

#include <QComboBox>

using namespace ardenvo;
using ardenvo::test::ObjectsDialogTest;

namespace {

using ObjectsDialogLayout = ObjectsDialogTest;

TEST_F(ObjectsDialogLayout, ChoosingReminderMovesNothingAboveTheCategoryPanel) {
    open(chair);
    for (const QSize size : {QSize(), QSize(1200, 760)}) {
        if (size.isValid())
            dialog->resize(size);
        QTest::qWait(20);
        QComboBox* selector = dialog->categoryPanel()->categorySelector();
        const auto geometries = [this] {
            return std::vector<QRect>{dialog->tree()->geometry(),
                                      dialog->categoryPanel()->geometry(), dialog->geometry()};
        };
        const std::vector<QRect> before = geometries();
        selector->setCurrentIndex(selector->count() - 1);
        QTest::qWait(20);
        EXPECT_EQ(geometries(), before) << size.width();
        selector->setCurrentIndex(0);
        QTest::qWait(20);
        EXPECT_EQ(geometries(), before) << size.width();
    }
}

} // namespace
