#include "catalogue/pictures/PictureGroup.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"
#include "catalogue/pictures/PictureMessages.h"
#include "model/TextEncoding.h"
#include "platform/ProgramVersion.h"

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

QString shown(std::string_view bytes) {
    return QString::fromStdString(readableUtf8(bytes));
}

} // namespace

PictureGroup::PictureGroup(PictureTreeHost& host, std::string imagesFolder, Prompter& prompter,
                           QWidget* parent)
    : QGroupBox(tr("Picture"), parent), m_host(host), m_folder(std::move(imagesFolder)),
      m_prompter(prompter), m_cache(m_folder, QSize(kFrameWidth, kFrameHeight)),
      m_thumbnails(ThumbnailCache::forUser(ThumbnailCache::programName(kProgramVersion))),
      m_loader(
          [folder = m_cache.folder(), size = m_cache.maxSize(), thumbnails = &m_thumbnails](
              const std::string& file, const std::function<bool()>& wanted) {
              return decodePicture(folder, file, size, thumbnails, wanted, true);
          },
          [this](const std::string& file, DecodedPicture picture) {
              pictureDecoded(file, std::move(picture));
          }) {
    m_frame = new PictureFrame(QSize(kFrameWidth, kFrameHeight), this);
    m_frame->setPainter(
        [this](QPainter& painter, const Rect& frame) { paintFrame(painter, frame); });

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({tr("House object"), tr("Name"), tr("File")});
    m_list->setAccessibleName(tr("Pictures"));
    // The list's own widths, widened where a heading would not fit ("House object").
    const int widths[] = {75, 100, 150};
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column,
                               std::max(widths[column], m_list->header()->sectionSizeHint(column)));
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setToolTip(tr("Double click item to edit"));
    m_list->installEventFilter(this);

    m_addButton = new QPushButton(tr("Add ima&ge"), this);
    m_addButton->setToolTip(
        tr("Preferably not much larger than %1x%2").arg(kFrameWidth).arg(kFrameHeight));
    m_editButton = new QPushButton(tr("Ed&it"), this);
    m_deleteButton = new QPushButton(tr("De&lete"), this);
    m_deleteButton->setToolTip(tr("The room will be associated no more with that image"));
    m_showAll = new QCheckBox(tr("Sho&w all images"), this);
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
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &PictureGroup::listSelectionChanged);
    m_keyTimer.setSingleShot(true);
    m_keyTimer.setInterval(200);
    connect(&m_keyTimer, &QTimer::timeout, this, &PictureGroup::rowActivated);
    updateEnabling();
}

PictureGroup::~PictureGroup() {
    m_loader.cancel();
}

bool PictureGroup::showAllImages() const {
    return m_showAll->isChecked();
}

PictureFilter PictureGroup::filter() const {
    return {showAllImages(), m_host.rootSelected(), m_host.selectedObject()};
}

void PictureGroup::loadBlock() {
    // Another block: nothing the last one asked for is shown or told about.
    m_loader.cancel();
    m_actions.clear();
    m_loadedBlock = m_host.pictureBlock();
    m_rows.fill(*m_host.pictureBlock(), filter());
    // The block's own pictures are decoded when the block is shown; a file that fails is
    // reported once, however many records name it.
    std::vector<std::string> own;
    for (const auto& entry : m_host.pictureBlock()->pictures.entries()) {
        const std::string file = entry->value.str();
        if (!file.empty() && std::find(own.begin(), own.end(), file) == own.end())
            own.push_back(file);
    }
    // Asked for before the list is built, so the frame's picture is decoded meanwhile.
    showSelectedPicture(own);
    showRows();
    updateEnabling();
}

void PictureGroup::treeSelectionChanged() {
    if (!showAllImages())
        refill();
}

void PictureGroup::refill() {
    if (m_host.pictureBlock() != m_loadedBlock)
        return;
    m_rows.fill(*m_host.pictureBlock(), filter());
    showRows();
    showSelectedPicture();
    updateEnabling();
}

void PictureGroup::ownersChanged() {
    if (m_host.pictureBlock() != m_loadedBlock)
        return;
    const bool same = m_rows.fillKeepingSelection(*m_host.pictureBlock(), filter());
    showRows();
    // The same picture is drawn from the cache as it was, without being decoded (or reported)
    // again; another one is shown as a newly selected row is.
    if (same)
        m_frame->update();
    else
        showSelectedPicture();
    updateEnabling();
}

void PictureGroup::showRows() {
    m_showing = true;
    m_list->clear();
    for (const PictureRow& row : m_rows.rows())
        new QTreeWidgetItem(m_list, {shown(PictureRows::labelOf(row)), shown(row.field->name),
                                     shown(row.field->value)});
    if (QTreeWidgetItem* item = m_list->topLevelItem(m_rows.selected()))
        m_list->setCurrentItem(item);
    m_showing = false;
}

void PictureGroup::listSelectionChanged() {
    if (m_showing)
        return;
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    m_rows.select(selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front()));
}

CField* PictureGroup::selectedPicture() const {
    return m_rows.selectedPicture().field;
}

void PictureGroup::updateEnabling() {
    const bool rows = m_rows.count() > 0;
    m_list->setEnabled(rows);
    m_editButton->setEnabled(rows);
    m_deleteButton->setEnabled(rows);
}

void PictureGroup::showSelectedPicture(const std::vector<std::string>& reported) {
    m_frame->update();
    Action action;
    const auto wants = [&](const std::string& file) {
        return !file.empty() && !m_cache.find(file);
    };
    if (const CField* picture = selectedPicture(); picture && wants(picture->value.str())) {
        action.shown = picture->value.str();
        // Before the rest is looked up: every name costs the file system a question.
        m_loader.request({action.shown}, true);
    }
    for (const std::string& file : reported) {
        if (wants(file))
            action.reported.push_back(file);
    }
    // Nearest first: the picture the frame shows, then the ones the command names, then the
    // rest of the list in its order, so a click on another row mostly finds its picture ready.
    std::vector<std::string> first;
    if (!action.shown.empty())
        first.push_back(action.shown);
    first.insert(first.end(), action.reported.begin(), action.reported.end());
    std::vector<std::string> rest;
    for (const PictureRow& row : m_rows.rows()) {
        if (wants(row.field->value.str()))
            rest.push_back(row.field->value.str());
    }
    m_loader.request(first, true);
    m_loader.request(rest);
    action.waiting.insert(first.begin(), first.end());
    if (!action.waiting.empty())
        m_actions.push_back(std::move(action));
}

void PictureGroup::pictureDecoded(const std::string& file, DecodedPicture picture) {
    const bool ok = picture.ok();
    if (ok)
        m_cache.insert(file, std::move(picture.image));
    for (Action& action : m_actions) {
        if (action.waiting.erase(file) && !ok)
            action.failed.emplace(file, picture.problem);
    }
    if (const CField* shown = selectedPicture(); shown && shown->value == file)
        m_frame->update();
    tellFinished();
}

void PictureGroup::tellFinished() {
    // A message box waits in an event loop of its own, where more pictures arrive.
    if (m_telling)
        return;
    m_telling = true;
    for (;;) {
        const auto done = std::find_if(m_actions.begin(), m_actions.end(),
                                       [](const Action& a) { return a.waiting.empty(); });
        if (done == m_actions.end())
            break;
        const Action action = std::move(*done);
        m_actions.erase(done);
        tell(action);
    }
    m_telling = false;
}

void PictureGroup::tell(const Action& action) {
    for (const std::string& file : action.reported) {
        if (const auto failed = action.failed.find(file); failed != action.failed.end())
            reportUnreadablePicture(m_prompter, this, file, failed->second);
    }
    const auto failed = action.failed.find(action.shown);
    if (action.shown.empty() || failed == action.failed.end())
        return;
    if (std::find(action.reported.begin(), action.reported.end(), action.shown) ==
        action.reported.end())
        reportUnreadablePicture(m_prompter, this, action.shown, failed->second);
    warnAboutPicture(m_prompter, this,
                     tr("The requested image is not in cache") + QLatin1Char('\n') +
                         shown(action.shown));
}

bool PictureGroup::waitForPictures(int timeoutMs) {
    return m_loader.waitUntilIdle(timeoutMs);
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
    else if (m_loader.isPending(picture->value.str()))
        PictureFrame::drawPlaceholder(painter, frame);
}

void PictureGroup::followOwner() {
    const int row = m_rows.selected();
    if (row < 0)
        return;
    if (m_rows.isBlockRow(row)) {
        if (!m_host.rootSelected())
            m_host.selectRoot();
        return;
    }
    CHouseObject* owner = m_rows.pictureAt(row).owner;
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
    const std::string file = m_rows.add(std::move(record), filter()).value.str();
    showRows();
    showSelectedPicture({file});
    updateEnabling();
}

void PictureGroup::editImage() {
    if (CField* picture = selectedPicture()) {
        ImageDialog::editRecord(*picture, m_folder, m_prompter, this);
        m_rows.edited(*picture, filter());
        showRows();
        // A record with no file has nothing to decode; trying would only report the folder.
        showSelectedPicture({picture->value.str()});
        updateEnabling();
    }
    followOwner();
}

void PictureGroup::deleteImage() {
    if (m_rows.selected() >= 0 && confirmPictureDeletion(m_prompter, this)) {
        // The file stays in the Images folder.
        m_rows.removeSelected(filter());
        showRows();
        showSelectedPicture();
        updateEnabling();
    }
    followOwner();
}

} // namespace ardenvo
