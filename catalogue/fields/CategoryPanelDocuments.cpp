// The documents of the category panel: "Attach document...", the first page of a document row
// and "Open".
#include "catalogue/fields/CategoryPanel.h"

#include "documents/DocumentThumbnailer.h"
#include "documents/core/DocumentFiles.h"
#include "documents/core/ObjectDocuments.h"
#include "platform/TextCodec.h"
#include "widgets/Prompter.h"
#include "widgets/ReminderEditor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

// The first page beside the document's row: large enough to tell a receipt from a manual.
constexpr QSize kDocumentPage{90, 120};
// In the list's rows.
constexpr QSize kRowPage{16, 16};

QString kindText(const DocumentPreview& preview) {
    switch (preview.kind) {
    case DocumentKind::Pdf:
        // English has no plural forms without a translation: its one page is written out.
        return preview.pages == 1 ? CategoryPanel::tr("PDF, 1 page")
                                  : CategoryPanel::tr("PDF, %n pages", nullptr, preview.pages);
    case DocumentKind::Picture:
        return CategoryPanel::tr("Picture, %1 x %2")
            .arg(preview.natural.width())
            .arg(preview.natural.height());
    case DocumentKind::Text:
        return CategoryPanel::tr("Text file");
    case DocumentKind::Other:
        break;
    }
    return QString();
}

} // namespace

QWidget* CategoryPanel::buildDocumentBox(QWidget* parent) {
    m_documentBox = new QWidget(parent);
    m_documentBox->setObjectName("documentBox");
    m_documentPicture = new QLabel(m_documentBox);
    m_documentPicture->setObjectName("documentPicture");
    m_documentPicture->setFixedSize(kDocumentPage + QSize(2, 2));
    m_documentPicture->setAlignment(Qt::AlignCenter);
    m_documentPicture->setFrameShape(QFrame::Box);
    m_documentStatus = new QLabel(m_documentBox);
    m_documentStatus->setObjectName("documentStatus");
    m_documentStatus->setWordWrap(true);
    m_documentStatus->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_open = new QPushButton(tr("O&pen"), m_documentBox);
    m_open->setObjectName("openDocument");
    m_open->setToolTip(tr("Open the document with the desktop's program for it"));
    auto* side = new QVBoxLayout;
    side->addWidget(m_documentStatus, 1);
    side->addWidget(m_open, 0, Qt::AlignLeft);
    auto* layout = new QHBoxLayout(m_documentBox);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_documentPicture, 0, Qt::AlignTop);
    layout->addLayout(side, 1);

    m_attach = new QPushButton(tr("Attach doc&ument..."), this);
    m_attach->setObjectName("attachDocument");
    m_attach->setToolTip(tr("Keep a receipt, manual or warranty card with the object"));

    m_thumbnailer = new DocumentThumbnailer(kDocumentPage, this);
    connect(m_thumbnailer, &DocumentThumbnailer::ready, this, [this] { showDocuments(); });
    connect(m_open, &QPushButton::clicked, this, &CategoryPanel::openSelectedDocument);
    connect(m_attach, &QPushButton::clicked, this, &CategoryPanel::attachDocument);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_state.isDocumentRow(m_state.selectedRow()))
            openSelectedDocument();
    });
    return m_documentBox;
}

QString CategoryPanel::documentPath(int row, QString* problem) {
    const std::string& file = m_state.rows()[static_cast<std::size_t>(row)].third;
    const DocumentLocation location = locateDocument(documentsFolderOf(m_settings), file);
    if (problem)
        *problem = QCoreApplication::translate("ardenvo::DocumentFiles", location.problem.c_str());
    return location.path.empty() ? QString()
                                 : QFile::decodeName(QByteArray::fromStdString(location.path));
}

void CategoryPanel::showDocuments() {
    // The rows: a small first page, or a warning where the file is missing.
    const auto& rows = m_state.rows();
    for (int i = 0; i < static_cast<int>(rows.size()) && i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (!m_state.isDocumentRow(i) || rows[static_cast<std::size_t>(i)].third.empty()) {
            item->setIcon(2, QIcon());
            item->setToolTip(2, QString());
            continue;
        }
        const QString path = documentPath(i);
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            item->setIcon(2, style()->standardIcon(QStyle::SP_MessageBoxWarning));
            item->setToolTip(2, tr("The file is missing from the Documents folder"));
            continue;
        }
        const DocumentPreview* preview = m_thumbnailer->preview(path);
        item->setToolTip(2, preview && !preview->ok ? tr("Cannot show this document")
                                                    : QString());
        item->setIcon(2, preview && preview->ok
                             ? QIcon(QPixmap::fromImage(preview->image.scaled(
                                   kRowPage, Qt::KeepAspectRatio, Qt::SmoothTransformation)))
                             : QIcon());
    }

    // The box of the selected document, in place of the periodical settings.
    const int row = m_state.selectedRow();
    const bool document = !m_state.reminderChosen() && m_state.isDocumentRow(row);
    m_lower->setCurrentWidget(document ? m_documentBox : m_reminder->periodicalGroup());
    if (!document)
        return;
    const QString file = displayText(rows[static_cast<std::size_t>(row)].third);
    QString problem;
    const QString path = file.isEmpty() ? QString() : documentPath(row, &problem);
    const bool exists = !path.isEmpty() && QFileInfo::exists(path);
    m_open->setEnabled(exists && isEnabled());
    if (!exists) {
        m_documentPicture->setPixmap(
            QPixmap::fromImage(documentNotice(kDocumentPage, tr("missing"))));
        m_documentStatus->setText(
            file.isEmpty()         ? tr("No file named in Details.")
            : !problem.isEmpty() ? tr("%1: %2.").arg(file, problem)
                                 : tr("The file \"%1\" is missing from the Documents folder.")
                                       .arg(file));
        return;
    }
    const DocumentPreview* preview = m_thumbnailer->preview(path);
    if (!preview) {
        m_documentPicture->clear();
        m_documentStatus->setText(tr("%1\nReading the document...").arg(file));
    } else if (!preview->ok) {
        m_documentPicture->setPixmap(QPixmap::fromImage(
            documentNotice(kDocumentPage, tr("cannot show this document"))));
        m_documentStatus->setText(
            tr("%1\nCannot show this document (%2).")
                .arg(file, QCoreApplication::translate("ardenvo::DocumentPreview",
                                                       preview->problem.toUtf8().constData())));
    } else {
        m_documentPicture->setPixmap(QPixmap::fromImage(preview->image));
        m_documentStatus->setText(QStringLiteral("%1\n%2").arg(file, kindText(*preview)));
    }
}

void CategoryPanel::attachDocument() {
    if (!m_state.object())
        return;
    const QString source = askDocumentFile(m_prompter, this, m_documentDialogFolder);
    if (source.isEmpty())
        return;
    const std::string folder = documentsFolderOf(m_settings);
    const DocumentCopy copy = folder.empty()
                                  ? DocumentCopy{false, {}, kDocumentsFolderNotMade}
                                  : copyDocumentIn(QFile::encodeName(source).toStdString(), folder);
    if (!copy.ok) {
        showError(tr("\"%1\" could not be copied into the Documents folder: %2")
                      .arg(QFileInfo(source).fileName(),
                           QCoreApplication::translate("ardenvo::DocumentFiles",
                                                       copy.error.c_str())));
        return;
    }
    // A name typed for a new entry names the document; else the file's name suggests one.
    const QString typed = m_state.selectedRow() < 0 ? m_name->text().trimmed() : QString();
    const std::string name = typed.isEmpty() ? documentNameFor(copy.fileName) : storedText(typed);
    const int row = m_state.attachDocument(name, copy.fileName);
    showSelector();
    showRows();
    if (row >= 0)
        m_list->scrollToItem(m_list->topLevelItem(row));
    loadFromSelectedRow();
    refreshEditors();
    showDocuments();
    // Typing next renames it: "Receipt", "Manual", "Warranty card".
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
    emit modelChanged();
}

void CategoryPanel::openSelectedDocument() {
    const int row = m_state.selectedRow();
    if (!m_state.isDocumentRow(row))
        return;
    const QString file = displayText(m_state.rows()[static_cast<std::size_t>(row)].third);
    QString problem;
    const QString path = file.isEmpty() ? QString() : documentPath(row, &problem);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        showError(
            problem.isEmpty()
                ? tr("The file \"%1\" is missing from the Documents folder.").arg(file)
                : tr("%1: %2.").arg(file, problem));
        return;
    }
    if (!openDocumentFile(m_settings, path))
        showError(tr("No program could open \"%1\".").arg(file));
}

} // namespace ardenvo
