#pragma once

#include <QTextBrowser>

namespace ardenvo {

// The browser area: shows the report file from its file:// address. The report keeps the house's
// bytes as stored, which are UTF-8 or, from old files, Windows-1252; this view reads them the same
// way the search matches them, so old names show with their accents.
class ReportView : public QTextBrowser {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    // Shows the file, reading it again when it is already shown.
    void showReport(const QString& path);
    // Shows nothing, as before the first search.
    void clearReport();
    bool hasReport() const { return m_hasReport; }

    QVariant loadResource(int type, const QUrl& name) override;

private:
    bool m_hasReport = false;
};

} // namespace ardenvo
