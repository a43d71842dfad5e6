#include "catalogue/pictures/PictureGroup.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"
#include "catalogue/pictures/PictureMessages.h"
#include "model/TextEncoding.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ardenvo {

namespace {

// What a row remembers: whether it is the block's own picture, its owner's label and its file
// as stored, and the records it was made from (checked against the model before any use).
enum Role {
    RoomRole = Qt::UserRole,
    LabelRole,
    FileRole,
    OwnerRole,
    FieldRole,
};

const char* const kRoomLabel = "Room";
const char* const kNoName = "picture with no name";

QString shown(std::string_view bytes) {
    return QString::fromStdString(readableUtf8(bytes));
}

std::string bytesOf(const QTreeWidgetItem* item, int role) {
    return item->data(0, role).toByteArray().toStdString();
}

bool holds(const CFieldList& list, const CField* field) {
    for (const auto& entry : list.entries()) {
        if (entry.get() == field)
            return true;
    }
    return false;
}

CField* firstWithFile(const CFieldList& list, const std::string& file) {
    for (const auto& entry : list.entries()) {
        if (entry->value == file)
            return entry.get();
    }
    return nullptr;
}

} // namespace

PictureGroup::PictureGroup(PictureTreeHost& host, std::string imagesFolder, Prompter& prompter,
                           QWidget* parent)
    : QGroupBox(QStringLiteral("Picture"), parent), m_host(host), m_folder(std::move(imagesFolder)),
      m_prompter(prompter), m_cache(m_folder, QSize(kFrameWidth, kFrameHeight)) {
    m_frame = new PictureFrame(QSize(kFrameWidth, kFrameHeight), this);
    m_frame->setPainter(
        [this](QPainter& painter, const Rect& frame) { paintFrame(painter, frame); });

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels(
        {QStringLiteral("House object"), QStringLiteral("Name"), QStringLiteral("File")});
    // The list's own widths, widened where a heading would not fit ("House object").
    const int widths[] = {75, 100, 150};
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column,
                               std::max(widths[column], m_list->header()->sectionSizeHint(column)));
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setToolTip(QStringLiteral("Double click item to edit"));
    m_list->installEventFilter(this);

    m_addButton = new QPushButton(QStringLiteral("Add image"), this);
    m_addButton->setToolTip(
        QStringLiteral("Preferably not much larger than %1x%2").arg(kFrameWidth).arg(kFrameHeight));
    m_editButton = new QPushButton(QStringLiteral("Edit"), this);
    m_deleteButton = new QPushButton(QStringLiteral("Delete"), this);
    m_deleteButton->setToolTip(
        QStringLiteral("The room will be associated no more with that image"));
    m_showAll = new QCheckBox(QStringLiteral("Show all images"), this);
    m_showAll->setChecked(true);
    for (QPushButton* b : {m_addButton, m_editButton, m_deleteButton})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_deleteButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame, 0, Qt::AlignHCenter);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_showAll);

    connect(m_addButton, &QPushButton::clicked, this, &PictureGroup::addImage);
    connect(m_editButton, &QPushButton::clicked, this, &PictureGroup::editImage);
    connect(m_deleteButton, &QPushButton::clicked, this, &PictureGroup::deleteImage);
    connect(m_showAll, &QCheckBox::clicked, this, &PictureGroup::refill);
    connect(m_list, &QTreeWidget::itemClicked, this, &PictureGroup::rowActivated);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &PictureGroup::editImage);
    m_keyTimer.setSingleShot(true);
    m_keyTimer.setInterval(200);
    connect(&m_keyTimer, &QTimer::timeout, this, &PictureGroup::rowActivated);
    updateEnabling();
}

bool PictureGroup::showAllImages() const {
    return m_showAll->isChecked();
}

void PictureGroup::loadBlock() {
    fillRows();
    // The block's own pictures are decoded once, when the block is shown; a file that fails is
    // reported once, however many records name it.
    std::set<std::string> failed;
    for (const auto& entry : m_host.pictureBlock()->pictures.entries()) {
        const std::string file = entry->value.str();
        if (file.empty() || failed.count(file) || m_cache.find(file))
            continue;
        if (!decode(file))
            failed.insert(file);
    }
    showSelectedPicture(failed);
    updateEnabling();
}

void PictureGroup::treeSelectionChanged() {
    if (!showAllImages())
        refill();
}

void PictureGroup::refill() {
    fillRows();
    showSelectedPicture();
    updateEnabling();
}

void PictureGroup::ownersChanged() {
    // Only the remembered record is compared; nothing of the old rows is dereferenced.
    const QTreeWidgetItem* before = m_list->topLevelItem(selectedRow());
    const QVariant kept = before ? before->data(0, FieldRole) : QVariant();
    fillRows();
    bool same = false;
    for (int row = 0; kept.isValid() && row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->data(0, FieldRole) == kept) {
            selectRow(row);
            same = true;
            break;
        }
    }
    // The same picture is drawn from the cache as it was, without being decoded (or reported)
    // again; another one is shown as a newly selected row is.
    if (same)
        m_frame->update();
    else
        showSelectedPicture();
    updateEnabling();
}

void PictureGroup::fillRows() {
    m_list->clear();
    const CBlock& block = *m_host.pictureBlock();
    const bool all = showAllImages();
    if (all || m_host.rootSelected())
        addRows(block.pictures, nullptr);
    if (all) {
        for (const auto& object : block.floorObjects())
            addObjectRows(*object);
    } else if (const CHouseObject* object = m_host.selectedObject()) {
        addRows(object->pictures, object);
    }
    if (m_list->topLevelItemCount() > 0)
        selectRow(0);
}

void PictureGroup::addObjectRows(const CHouseObject& object) {
    addRows(object.pictures, &object);
    for (NestPosition pos : {NestPosition::Under, NestPosition::Inside, NestPosition::OnTop}) {
        for (const auto& child : object.children(pos))
            addObjectRows(*child);
    }
}

void PictureGroup::addRows(const CFieldList& pictures, const CHouseObject* owner) {
    const std::string label = owner ? owner->name : std::string(kRoomLabel);
    for (const auto& entry : pictures.entries()) {
        auto* item =
            new QTreeWidgetItem(m_list, {shown(label), shown(entry->name), shown(entry->value)});
        item->setData(0, RoomRole, owner == nullptr);
        item->setData(0, LabelRole, QByteArray::fromStdString(label));
        item->setData(0, FileRole,
                      QByteArray(entry->value.data(), static_cast<qsizetype>(entry->value.size())));
        item->setData(0, OwnerRole, QVariant::fromValue(reinterpret_cast<quintptr>(owner)));
        item->setData(0, FieldRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.get())));
    }
}

PictureGroup::RowPicture PictureGroup::pictureOfRow(int row) const {
    const QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item)
        return {};
    const std::string file = bytesOf(item, FileRole);
    const auto remembered = item->data(0, FieldRole).value<quintptr>();
    if (item->data(0, RoomRole).toBool()) {
        CFieldList& pictures = m_host.pictureBlock()->pictures;
        for (const auto& entry : pictures.entries()) {
            if (reinterpret_cast<quintptr>(entry.get()) == remembered)
                return {entry.get(), nullptr};
        }
        return {firstWithFile(pictures, file), nullptr};
    }
    // The row's own record when its owner is still in the tree; otherwise the first object of
    // that label that holds the file. Nothing is dereferenced before it is found in the model.
    const auto owner = item->data(0, OwnerRole).value<quintptr>();
    const std::vector<CHouseObject*> labelled = m_host.objectsLabelled(bytesOf(item, LabelRole));
    for (CHouseObject* object : labelled) {
        if (reinterpret_cast<quintptr>(object) == owner &&
            holds(object->pictures, reinterpret_cast<const CField*>(remembered)))
            return {reinterpret_cast<CField*>(remembered), object};
    }
    for (CHouseObject* object : labelled) {
        if (CField* field = firstWithFile(object->pictures, file))
            return {field, object};
    }
    return {};
}

int PictureGroup::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void PictureGroup::selectRow(int row) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(row))
        m_list->setCurrentItem(item);
}

CField* PictureGroup::selectedPicture() const {
    return pictureOfRow(selectedRow()).field;
}

void PictureGroup::updateEnabling() {
    const bool rows = m_list->topLevelItemCount() > 0;
    m_list->setEnabled(rows);
    m_editButton->setEnabled(rows);
    m_deleteButton->setEnabled(rows);
}

void PictureGroup::showSelectedPicture(const std::set<std::string>& tried) {
    m_frame->update();
    const CField* picture = selectedPicture();
    if (!picture || picture->value.empty() || m_cache.find(picture->value))
        return;
    const std::string file = picture->value.str();
    if (!tried.count(file) && decode(file))
        return;
    warnAboutPicture(m_prompter, this,
                     QStringLiteral("The requested image is not in cache\n") + shown(file));
}

bool PictureGroup::decode(const std::string& file) {
    const ImageCache::Result result = m_cache.acquire(file);
    if (!result.entry)
        reportUnreadablePicture(m_prompter, this, file, result.problem);
    return result.entry != nullptr;
}

void PictureGroup::paintFrame(QPainter& painter, const Rect& frame) {
    const CField* picture = selectedPicture();
    if (!picture)
        return;
    PictureFrame::clear(painter, frame);
    if (picture->value.empty())
        return;
    // One look-up a paint: the entry found is the one drawn.
    if (const CachedImage* entry = m_cache.find(picture->value))
        PictureFrame::drawPicture(painter, frame, entry->image(), FrameStyle::Objects);
}

void PictureGroup::followOwner() {
    const int row = selectedRow();
    if (row < 0)
        return;
    if (m_list->topLevelItem(row)->data(0, RoomRole).toBool()) {
        if (!m_host.rootSelected())
            m_host.selectRoot();
        return;
    }
    CHouseObject* owner = pictureOfRow(row).owner;
    if (owner && m_host.selectedObject() != owner)
        m_host.selectObject(owner);
}

void PictureGroup::rowActivated() {
    showSelectedPicture();
    followOwner();
}

bool PictureGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        // Arrow keys move the selection first; the picture follows once they have.
        m_keyTimer.start();
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
            deleteImage();
    }
    return QGroupBox::eventFilter(watched, event);
}

void PictureGroup::addImage() {
    auto record = std::make_unique<CField>();
    if (!ImageDialog::editRecord(*record, m_folder, m_prompter, this))
        return;
    CHouseObject* object = m_host.rootSelected() ? nullptr : m_host.selectedObject();
    const std::string file = record->value.str();
    (object ? object->pictures : m_host.pictureBlock()->pictures).append(std::move(record));

    fillRows();
    const std::string label = object ? object->name : std::string(kRoomLabel);
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->data(0, RoomRole).toBool() == (object == nullptr) &&
            bytesOf(item, LabelRole) == label && bytesOf(item, FileRole) == file) {
            selectRow(row);
            break;
        }
    }
    std::set<std::string> failed;
    if (!decode(file))
        failed.insert(file);
    showSelectedPicture(failed);
    updateEnabling();
}

void PictureGroup::editImage() {
    const int row = selectedRow();
    if (CField* picture = pictureOfRow(row).field) {
        ImageDialog::editRecord(*picture, m_folder, m_prompter, this);
        if (picture->name.empty())
            picture->name = kNoName;
        std::set<std::string> failed;
        // A record with no file has nothing to decode; trying would only report the folder.
        if (!picture->value.empty() && !decode(picture->value.str()))
            failed.insert(picture->value.str());
        fillRows();
        selectRow(std::min(row, m_list->topLevelItemCount() - 1));
        showSelectedPicture(failed);
        updateEnabling();
    }
    followOwner();
}

void PictureGroup::deleteImage() {
    const int row = selectedRow();
    if (row >= 0 && confirmPictureDeletion(m_prompter, this)) {
        // Taken from the list that holds it: with all images shown, the tree's selection need not
        // be the row's owner yet. The file stays in the Images folder.
        const RowPicture picture = pictureOfRow(row);
        if (picture.field) {
            CFieldList& list =
                picture.owner ? picture.owner->pictures : m_host.pictureBlock()->pictures;
            list.unlinkEntry(picture.field);
        }
        refill();
    }
    followOwner();
}

} // namespace ardenvo
