#include "search/dialog/ReportView.h"

#include "search/engine/CaseFold.h"

#include <QFile>
#include <QTextDocument>

namespace ardenvo {

ReportView::ReportView(QWidget* parent) : QTextBrowser(parent) {
    // The report is a file of our own; links in a house's texts are escaped and never followed.
    setOpenLinks(false);
}

void ReportView::showReport(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    m_hasReport = true;
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
}

void ReportView::clearReport() {
    m_hasReport = false;
    setSource(QUrl());
    clear();
}

QVariant ReportView::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        const std::string text = toUtf8(std::string_view(bytes.constData(), bytes.size()));
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return QTextBrowser::loadResource(type, name);
}

} // namespace ardenvo
