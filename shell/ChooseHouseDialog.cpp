#include "shell/ChooseHouseDialog.h"

#include "shell/ToolbarIcons.h"
#include "widgets/Prompter.h"

#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace ardenvo {

ChooseHouseDialog::ChooseHouseDialog(const QStringList& predone, const QStringList& recent,
                                     Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
    //: The title of the dialog that offers houses to start with.
    setWindowTitle(tr("Choose"));

    auto* intro =
        new QLabel(tr("If you want to simply edit a predone house select one of the options and "
                      "click the CHOOSE button, or click CONTINUE to build your own house"));
    intro->setWordWrap(true);
    m_predone = makeList(predone, PathColumn::FullPath);
    m_recent = makeList(recent, PathColumn::Folder);
    auto* choosePredoneButton = new QPushButton(tr("&Choose"));
    //: Opens the house chosen among those opened in the past.
    auto* chooseRecentButton = new QPushButton(tr("C&hoose", "recent"));
    auto* continueButton = new QPushButton(tr("Continue"));
    m_predone->setAccessibleName(tr("Predone houses"));
    m_recent->setAccessibleName(tr("Houses opened in the past"));
    choosePredoneButton->setObjectName(QStringLiteral("choosePredone"));
    chooseRecentButton->setObjectName(QStringLiteral("chooseRecent"));
    continueButton->setObjectName(QStringLiteral("continue"));
    continueButton->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(intro, 0, 0, 1, 2);
    grid->addWidget(m_predone, 1, 0);
    grid->addWidget(choosePredoneButton, 1, 1, Qt::AlignTop);
    auto* recentLabel = new QLabel(tr("Houses &opened in the past:"));
    recentLabel->setBuddy(m_recent);
    grid->addWidget(recentLabel, 2, 0, 1, 2);
    grid->addWidget(m_recent, 3, 0);
    grid->addWidget(chooseRecentButton, 3, 1, Qt::AlignTop);
    grid->addWidget(continueButton, 4, 1);

    connect(choosePredoneButton, &QPushButton::clicked, this, &ChooseHouseDialog::choosePredone);
    connect(chooseRecentButton, &QPushButton::clicked, this, &ChooseHouseDialog::chooseRecent);
    connect(m_predone, &QTreeWidget::itemDoubleClicked, this, &ChooseHouseDialog::choosePredone);
    connect(m_recent, &QTreeWidget::itemDoubleClicked, this, &ChooseHouseDialog::chooseRecent);
    connect(continueButton, &QPushButton::clicked, this, [this] {
        m_choice = Choice{};
        accept();
    });
}

QStringList ChooseHouseDialog::splitPath(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    const int cut = native.lastIndexOf(QDir::separator()) + 1;
    return {native.mid(cut), native.left(cut)};
}

QTreeWidget* ChooseHouseDialog::makeList(const QStringList& paths, PathColumn column) {
    auto* list = new QTreeWidget;
    list->setHeaderLabels({tr("Name"), tr("Path")});
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setColumnWidth(0, 120);
    list->setColumnWidth(1, 185);
    list->setMinimumWidth(330);
    const QIcon house = houseIcon(16);
    for (const QString& path : paths) {
        QStringList texts = splitPath(path);
        if (column == PathColumn::FullPath)
            texts[1] = QDir::toNativeSeparators(path);
        auto* item = new QTreeWidgetItem(list, texts);
        item->setIcon(0, house);
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(1, path);
    }
    // Whole names, and paths as long as the screen allows; a longer path loses its middle
    // rather than its end, and its tooltip has it all.
    list->setTextElideMode(Qt::ElideMiddle);
    list->resizeColumnToContents(0);
    list->setColumnWidth(0, std::max(120, list->columnWidth(0)));
    list->resizeColumnToContents(1);
    list->setColumnWidth(1, std::clamp(list->columnWidth(1), 185, 480));
    list->setMinimumWidth(
        std::max(330, list->columnWidth(0) + list->columnWidth(1) + 2 * list->frameWidth() + 2));
    return list;
}

// These two messages carry no title at all.
void ChooseHouseDialog::tellNoSelection(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Warning, Prompter::Title::Custom, QString()});
}

void ChooseHouseDialog::choosePredone() {
    QTreeWidgetItem* item = m_predone->currentItem();
    if (!item || !item->isSelected()) {
        tellNoSelection(tr("Please select one of the predone houses"));
        return;
    }
    m_choice = {Choice::Kind::Predone, item->data(0, Qt::UserRole).toString(), -1};
    accept();
}

void ChooseHouseDialog::chooseRecent() {
    QTreeWidgetItem* item = m_recent->currentItem();
    if (!item || !item->isSelected()) {
        tellNoSelection(tr("Please select one of the previously opened houses"));
        return;
    }
    m_choice = {Choice::Kind::Recent, item->data(0, Qt::UserRole).toString(),
                m_recent->indexOfTopLevelItem(item)};
    accept();
}

ChooseHouseDialog::Choice ChooseHouseDialog::run(QWidget* parent, const QStringList& predone,
                                                 const QStringList& recent, Prompter& prompter) {
    ChooseHouseDialog dialog(predone, recent, prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return Choice{};
    return dialog.choice();
}

} // namespace ardenvo
