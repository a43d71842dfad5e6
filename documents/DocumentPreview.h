#pragma once

#include "documents/core/DocumentFiles.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace ardenvo {

// How long the first page of one PDF may take to draw before it is given up: poppler reads files
// received from anyone, and a hostile one must not keep a worker busy for ever.
inline constexpr int kPageTimeLimitMs = 10000;

// What a document looks like in small: the first page of a PDF, a picture, or a framed page icon
// for a text file; or why it cannot be shown.
struct DocumentPreview {
    bool ok = false;
    DocumentKind kind = DocumentKind::Other;
    QImage image;    // at most the size asked for; null when not ok
    int pages = 0;   // of a PDF
    QSize natural;   // a picture's pixels, or a PDF's first page in points
    QString format;  // "pdf", a picture's format ("jpeg", "png", ...), or "text"
    QString problem; // when not ok: "missing", "encrypted", "damaged", ... (English, as reports and
                     // the tool write it; windows translate it in "ardenvo::DocumentPreview")
};

// Makes the preview of the file, no larger than `maxSize` and never more pixels than a picture
// may have. Only the first page of a PDF is drawn, within `timeLimitMs`; an encrypted or damaged
// PDF gives a problem, never a crash. Touches no window and no cache, so it runs on any thread.
DocumentPreview previewDocument(const QString& path, const QSize& maxSize,
                                int timeLimitMs = kPageTimeLimitMs);

// A page with a folded corner and lines of text, framed: how a text file shows. No fonts needed.
QImage textFileIcon(const QSize& size);

// The framed notice shown in place of a document that cannot be shown ("cannot show this
// document") or whose file is missing. Needs a QGuiApplication (text).
QImage documentNotice(const QSize& size, const QString& text);

} // namespace ardenvo
