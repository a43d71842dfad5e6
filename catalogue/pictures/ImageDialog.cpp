#include "catalogue/pictures/ImageDialog.h"

#include "catalogue/pictures/ImageCache.h"
#include "catalogue/pictures/ImagesFolder.h"
#include "catalogue/pictures/PictureFrame.h"
#include "catalogue/pictures/PictureMessages.h"
#include "model/TextEncoding.h"
#include "platform/ProgramVersion.h"
#include "platform/ProjectKey.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

QString shown(std::string_view bytes) {
    return QString::fromStdString(readableUtf8(bytes));
}

// Keeps the stored bytes when the edit still shows them (a name written in another code page).
std::string storedText(const QLineEdit* edit, std::string_view original) {
    return edit->text() == shown(original) ? std::string(original) : edit->text().toStdString();
}

} // namespace

ImageDialog::ImageDialog(CField& record, std::string imagesFolder, Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent), m_record(record), m_folder(std::move(imagesFolder)), m_prompter(prompter) {
    setWindowTitle(tr("Image"));

    m_nameEdit = new QLineEdit(shown(record.name), this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_fileEdit = new QLineEdit(shown(record.value), this);
    m_fileEdit->setObjectName(QStringLiteral("fileEdit"));
    m_browseButton = new QPushButton(tr("&Browse"), this);
    m_browseButton->setAutoDefault(false);
    m_list = new QListWidget(this);
    m_list->setViewMode(QListView::ListMode);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(16, 16));
    m_list->installEventFilter(this);
    m_frame = new PictureFrame(QSize(kFrameWidth, kFrameHeight), this);
    m_frame->setPainter([this](QPainter& painter, const Rect& frame) {
        if (!m_frameCleared)
            return;
        PictureFrame::clear(painter, frame);
        if (!m_preview.isNull())
            PictureFrame::drawPicture(painter, frame, m_preview, FrameStyle::Image);
    });

    auto* fields = new QGridLayout;
    auto* nameLabel = new QLabel(tr("&Name"), this);
    nameLabel->setBuddy(m_nameEdit);
    auto* fileLabel = new QLabel(tr("&File"), this);
    fileLabel->setBuddy(m_fileEdit);
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_nameEdit, 0, 1, 1, 2);
    fields->addWidget(fileLabel, 1, 0);
    fields->addWidget(m_fileEdit, 1, 1);
    fields->addWidget(m_browseButton, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    auto* pastLabel = new QLabel(tr("&Images used in the past"), this);
    pastLabel->setBuddy(m_list);
    // A list is not named by its buddy, as a line edit is.
    m_list->setAccessibleName(pastLabel->text().remove(u'&'));
    left->addWidget(pastLabel);
    left->addWidget(m_list);
    auto* right = new QVBoxLayout;
    right->addWidget(m_frame);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(m_browseButton, &QPushButton::clicked, this, &ImageDialog::browse);
    connect(m_list, &QListWidget::itemClicked, this, &ImageDialog::takeRow);
    m_keyTimer.setSingleShot(true);
    m_keyTimer.setInterval(200);
    connect(&m_keyTimer, &QTimer::timeout, this, [this] { takeRow(m_list->currentItem()); });
    // OK stores what "File" says, so the user sees that picture, after the pause a click has.
    m_typingTimer.setSingleShot(true);
    m_typingTimer.setInterval(200);
    connect(m_fileEdit, &QLineEdit::textEdited, this, [this] { m_typingTimer.start(); });
    connect(&m_typingTimer, &QTimer::timeout, this, &ImageDialog::previewTyped);

    fillList();
    // The first preview waits until the dialog is on screen, so its messages have an owner.
    m_openTimer.setSingleShot(true);
    m_openTimer.setInterval(200);
    const std::string initial = record.value.str();
    connect(&m_openTimer, &QTimer::timeout, this, [this, initial] { preview(initial); });
    m_openTimer.start();
}

bool ImageDialog::editRecord(CField& record, const std::string& imagesFolder, Prompter& prompter,
                             QWidget* parent) {
    ImageDialog dialog(record, imagesFolder, prompter, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::string ImageDialog::nameText() const {
    return storedText(m_nameEdit, m_record.name);
}

std::string ImageDialog::fileText() const {
    return storedText(m_fileEdit, m_record.value);
}

void ImageDialog::fillList() {
    m_list->clear();
    const std::string current = m_folder + "/" + fileText();
    const QIcon icon = QApplication::windowIcon();
    for (const std::string& name : pictureFilesIn(m_folder)) {
        auto* item = new QListWidgetItem(icon, shown(name), m_list);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        if (!fileText().empty() && sameFile(m_folder + "/" + name, current))
            m_list->setCurrentItem(item);
    }
}

void ImageDialog::takeRow(QListWidgetItem* item) {
    if (!item)
        return;
    m_typingTimer.stop();
    const std::string name = item->data(Qt::UserRole).toByteArray().toStdString();
    m_fileEdit->setText(shown(name));
    preview(name);
}

bool ImageDialog::eventFilter(QObject* watched, QEvent* event) {
    // The selection moves with the key first; the row is taken once it has.
    if (watched == m_list && event->type() == QEvent::KeyPress)
        m_keyTimer.start();
    return QDialog::eventFilter(watched, event);
}

void ImageDialog::preview(const std::string& fileName) {
    m_openTimer.stop();
    m_frameCleared = true;
    m_preview.clear();
    m_frame->update();
    if (fileName.empty())
        return;
    // Read afresh each time: a file replaced meanwhile shows as it is now (a thumbnail of it as
    // it was no longer matches its modification time).
    const ThumbnailCache thumbnails =
        ThumbnailCache::forUser(ThumbnailCache::programName(kProgramVersion));
    DecodedPicture decoded = decodePicture(m_folder, fileName, m_frame->size(), &thumbnails);
    if (decoded.ok()) {
        m_preview = std::move(decoded.image);
        return;
    }
    reportUnreadablePicture(m_prompter, this, fileName, decoded.problem);
    warnAboutPicture(m_prompter, this, tr("no image") + QLatin1Char('\n') + shown(fileName));
}

void ImageDialog::previewTyped() {
    const std::string name = fileText();
    // A name still being typed is no file yet: the frame stays empty without a message.
    const PictureLocation location = locatePicture(m_folder, name);
    if (location.problem.empty() && QFileInfo(QString::fromStdString(location.path)).isFile()) {
        preview(name);
        return;
    }
    preview({});
}

void ImageDialog::browse() {
    const QString chosen = choosePictureFile(m_prompter, this);
    if (chosen.isEmpty())
        return;
    const FolderCopy copy = copyIntoFolder(chosen, m_folder);
    if (!copy.ok) {
        // "File" keeps its text: a record naming a file that is not there would show nothing.
        warnAboutPicture(m_prompter, this,
                         tr("The picture could not be copied into the Images folder:\n%1\n%2")
                             .arg(chosen, copy.error));
        return;
    }
    m_fileEdit->setText(shown(copy.fileName));
    preview(copy.fileName);
}

void ImageDialog::accept() {
    const std::string name = nameText();
    const std::string file = fileText();
    if (name.empty() || file.empty()) {
        warnAboutPicture(m_prompter, this, tr("Both edit boxes must have text"));
        return;
    }
    m_record.name = name;
    m_record.value = file;
    QDialog::accept();
}

} // namespace ardenvo
