#include "documents/DocumentThumbnailer.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>

namespace ardenvo {

DocumentThumbnailer::DocumentThumbnailer(QSize maxSize, QObject* parent)
    : QObject(parent), m_maxSize(maxSize) {
    // One at a time: a window shows a few documents, and a hostile one then holds one thread.
    m_pool.setMaxThreadCount(1);
}

DocumentThumbnailer::~DocumentThumbnailer() {
    m_pool.clear();
    m_pool.waitForDone();
}

DocumentThumbnailer::Stamp DocumentThumbnailer::stampOf(const QString& path) {
    const QFileInfo info(path);
    Stamp stamp;
    stamp.exists = info.exists();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    return stamp;
}

const DocumentPreview* DocumentThumbnailer::preview(const QString& path) {
    const Stamp now = stampOf(path);
    auto found = m_entries.find(path);
    if (found != m_entries.end() && found->second.stamp == now)
        return found->second.pending ? nullptr : &found->second.preview;
    Entry& entry = m_entries[path];
    entry = Entry{now, true, {}};
    const QSize size = m_maxSize;
    QPointer<DocumentThumbnailer> self(this);
    m_pool.start([self, path, size, now] {
        DocumentPreview made = previewDocument(path, size);
        if (!self)
            return;
        // Handed to the window's thread, where the entries live; dropped if the window has gone.
        QMetaObject::invokeMethod(
            self.data(),
            [self, path, now, made = std::move(made)]() mutable {
                if (!self)
                    return;
                auto it = self->m_entries.find(path);
                if (it == self->m_entries.end() || !(it->second.stamp == now))
                    return; // asked again for a newer file meanwhile
                it->second.pending = false;
                it->second.preview = std::move(made);
                emit self->ready(path);
            },
            Qt::QueuedConnection);
    });
    return nullptr;
}

void DocumentThumbnailer::waitForDone() {
    m_pool.waitForDone();
}

} // namespace ardenvo
