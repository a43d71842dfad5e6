#pragma once

#include "documents/DocumentPreview.h"

#include <QDateTime>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <map>

namespace ardenvo {

// The previews of documents for a window, made on a worker thread so that a slow or hostile PDF
// never stops the window, and kept while their files stay as they were.
class DocumentThumbnailer : public QObject {
    Q_OBJECT
public:
    explicit DocumentThumbnailer(QSize maxSize, QObject* parent = nullptr);
    // Waits for the preview being made (a page is given up after kPageTimeLimitMs).
    ~DocumentThumbnailer() override;

    // The preview of that file as made for it as it is now; nullptr when there is none yet (or
    // the file changed since), in which case one is being made and `ready` tells when it is.
    const DocumentPreview* preview(const QString& path);
    QSize maxSize() const { return m_maxSize; }
    // Until every preview asked for is made; for tests and tools.
    void waitForDone();

signals:
    void ready(const QString& path);

private:
    // What a file was like when its preview was made: a file replaced or deleted is made again.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        bool pending = true;
        DocumentPreview preview;
    };
    static Stamp stampOf(const QString& path);

    QSize m_maxSize;
    std::map<QString, Entry> m_entries;
    QThreadPool m_pool;
};

} // namespace ardenvo
