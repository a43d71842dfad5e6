// Feeds arbitrary bytes, as a file, to the drawing of a document's first page as the panel and
// the report make it (poppler for a PDF, the picture decoders otherwise). Whatever is drawn must
// fit the box asked for, and whatever is not must say why. Run with -timeout and -rss_limit_mb:
// a page that takes too long, or a huge allocation, is a finding.
#include "documents/DocumentPreview.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_documents_%1.pdf").arg(::getpid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const QSize box(340, 255);
    const ardenvo::DocumentPreview preview = ardenvo::previewDocument(path, box, 2000);
    if (preview.ok &&
        (preview.image.width() > box.width() || preview.image.height() > box.height()))
        std::abort();
    if (!preview.ok && (preview.problem.isEmpty() || !preview.image.isNull()))
        std::abort();
    return 0;
}
