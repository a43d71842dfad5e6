#include "history/dialog/VersionsDialog.h"

#include "widgets/DialogSupport.h"

#include "history/HouseDiff.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "platform/posix/SafeFile.h"
#include "widgets/Prompter.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace ardenvo {

namespace {

enum Column { DateColumn, SizeColumn, ObjectsColumn };

// The version read as a house; null when it is damaged (or too large to be one).
std::unique_ptr<CBrenvikaDoc> readVersion(const std::string& path, std::string* bytes = nullptr) {
    std::string data, error;
    auto doc = std::make_unique<CBrenvikaDoc>();
    try {
        if (!readWholeFile(path, data, &error, nullptr, nullptr, kMaxProjectFileBytes) ||
            readProject(data, *doc) != FileError::None)
            return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
    if (bytes)
        *bytes = std::move(data);
    return doc;
}

} // namespace

VersionsDialog::VersionsDialog(const CBrenvikaDoc& house, const std::string& folder,
                               QWidget* parent)
    : QDialog(parent), m_house(house), m_versions(VersionStore(folder).versions()),
      m_damaged(m_versions.size(), -1) {
    setWindowTitle(tr("Earlier versions"));
    resize(fittedToScreen(this, {820, 600}));
    auto* layout = new QVBoxLayout(this);
    //: %1 is the house's file
    m_caption = new QLabel(tr("&Versions kept of %1, newest first:")
                               .arg(withPlainAmpersands(QString::fromStdString(house.pathName()))),
                           this);
    if (m_versions.empty())
        m_caption->setText(tr("No earlier versions of this house have been kept yet: one is kept "
                              "each time a save replaces it."));
    m_caption->setWordWrap(true);
    layout->addWidget(m_caption);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_list = new QTreeWidget(splitter);
    m_list->setObjectName(QStringLiteral("versionList"));
    m_list->setRootIsDecorated(false);
    m_list->setAccessibleName(tr("Earlier versions"));
    if (!m_versions.empty())
        m_caption->setBuddy(m_list);
    m_list->setHeaderLabels({tr("Date"), tr("Size"), tr("Objects")});
    m_list->header()->setSectionResizeMode(DateColumn, QHeaderView::Stretch);
    const QLocale locale;
    for (const HouseVersion& version : m_versions) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(DateColumn, locale.toString(QDateTime::fromMSecsSinceEpoch(version.timeMs),
                                                  QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(SizeColumn, locale.formattedDataSize(static_cast<qint64>(version.size)));
        item->setText(ObjectsColumn, QStringLiteral("..."));
        item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ObjectsColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* lower = new QWidget(splitter);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    auto* differencesLabel =
        new QLabel(tr("&What changed from the selected version to the house as it is now:"), lower);
    lowerLayout->addWidget(differencesLabel);
    m_differences = new QPlainTextEdit(lower);
    differencesLabel->setBuddy(m_differences);
    m_differences->setAccessibleName(tr("Differences"));
    m_differences->setObjectName(QStringLiteral("differences"));
    m_differences->setReadOnly(true);
    m_differences->setLineWrapMode(QPlainTextEdit::NoWrap);
    lowerLayout->addWidget(m_differences);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(tr("&Open"), QDialogButtonBox::AcceptRole);
    m_open->setObjectName(QStringLiteral("openVersion"));
    m_open->setToolTip(tr("Show this version as the house, unsaved; saving it makes "
                          "it the house again"));
    m_open->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(m_open, &QPushButton::clicked, this, &VersionsDialog::openSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &VersionsDialog::showSelected);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] {
        if (m_open->isEnabled())
            openSelected();
    });

    countInBackground();
    if (!m_versions.empty()) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
        m_list->setFocus();
    }
}

VersionsDialog::~VersionsDialog() {
    m_stop = true;
    if (m_counter.joinable())
        m_counter.join();
}

void VersionsDialog::countInBackground() {
    // Each version is read whole to count its objects: a large house takes a while, so the list
    // shows at once and the counts follow.
    QPointer<VersionsDialog> self(this);
    std::vector<std::string> paths;
    for (const HouseVersion& v : m_versions)
        paths.push_back(v.path);
    m_counter = std::thread([this, self, paths] {
        for (std::size_t row = 0; row < paths.size() && !m_stop; ++row) {
            const auto doc = readVersion(paths[row]);
            const long long count = doc ? static_cast<long long>(countObjects(*doc)) : -1;
            QMetaObject::invokeMethod(
                this,
                [this, row, count] {
                    m_damaged[row] = count < 0 ? 1 : 0;
                    QTreeWidgetItem* item = m_list->topLevelItem(static_cast<int>(row));
                    item->setText(ObjectsColumn, count < 0 ? tr("damaged", "a version of the house")
                                                           : QLocale().toString(count));
                    if (count < 0)
                        item->setToolTip(DateColumn, tr("This version is damaged and cannot be "
                                                        "opened."));
                    if (m_list->currentItem() == item)
                        showSelected();
                },
                Qt::QueuedConnection);
        }
    });
}

void VersionsDialog::waitForCounts() {
    if (m_counter.joinable())
        m_counter.join();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QString VersionsDialog::differencesText() const {
    return m_differences->toPlainText();
}

void VersionsDialog::showSelected() {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_open->setEnabled(false);
    if (row < 0) {
        m_differences->clear();
        return;
    }
    if (m_damaged[static_cast<std::size_t>(row)] == 1) {
        m_differences->setPlainText(
            tr("This version is damaged: it is not a house that can be read, so it "
               "is never opened."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto version = readVersion(m_versions[static_cast<std::size_t>(row)].path);
    QApplication::restoreOverrideCursor();
    if (!version) {
        m_damaged[static_cast<std::size_t>(row)] = 1;
        m_differences->setPlainText(
            tr("This version is damaged: it is not a house that can be read, so it "
               "is never opened."));
        return;
    }
    const auto translate = [](const char* context, const char* text, int count) {
        return QCoreApplication::translate(context, text, nullptr, count).toStdString();
    };
    m_differences->setPlainText(
        QString::fromStdString(describeDifferences(compareHouses(*version, m_house), translate)));
    m_open->setEnabled(true);
}

void VersionsDialog::openSelected() {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    std::string bytes;
    // Read again: what is opened is what was checked a moment ago, or nothing.
    if (!readVersion(m_versions[static_cast<std::size_t>(row)].path, &bytes)) {
        m_damaged[static_cast<std::size_t>(row)] = 1;
        showSelected();
        return;
    }
    m_chosen = std::move(bytes);
    accept();
}

} // namespace ardenvo
