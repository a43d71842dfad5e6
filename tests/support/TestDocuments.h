#pragma once

// Documents for the tests: PDFs written by Qt's own QPdfWriter (a QGuiApplication must exist),
// and the broken ones a user may bring.

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <random>
#include <string>
#include <vector>

namespace ardenvo::test {

// A PDF of `pages` A6 pages, the first one dark blue at the top, so a thumbnail of it shows.
inline bool writeTestPdf(const QString& path, int pages = 1) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A6));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Receipt"));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.fillRect(QRect(0, 0, 297, 100), QColor(0, 0, 0x80));
        painter.drawText(QRect(20, 120, 250, 40), QStringLiteral("Receipt, page %1").arg(page + 1));
    }
    return painter.end();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A PDF encrypted with the standard handler whose user password is not empty: without the
// password no reader gets at its pages.
inline QByteArray encryptedPdfBytes() {
    QByteArray pdf = "%PDF-1.4\n";
    std::vector<int> offsets;
    const auto object = [&](const QByteArray& body) {
        offsets.push_back(static_cast<int>(pdf.size()));
        pdf +=
            QByteArray::number(static_cast<int>(offsets.size())) + " 0 obj\n" + body + "\nendobj\n";
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 5 0 R >>");
    // The checksums of some password, never of the empty one.
    object("<< /Filter /Standard /V 1 /R 2 /P -4 "
           "/O <8f3c1a9d2b7e6f40c15ad93e7b28f61c0d4e9a2b3c5f7186e9d0a1b2c3d4e5f6> "
           "/U <1b2c3d4e5f60718293a4b5c6d7e8f9011223344556677889900aabbccddeeff0> >>");
    object("<< /Length 12 >>\nstream\n\x9a\x13\x7f\x02\xc4\x55\xe1\x08\x33\xbd\x6e\x90\nendstream");
    const int xref = static_cast<int>(pdf.size());
    pdf += "xref\n0 6\n0000000000 65535 f \n";
    for (const int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 6 /Root 1 0 R /Encrypt 4 0 R "
           "/ID [<0123456789abcdef0123456789abcdef><0123456789abcdef0123456789abcdef>] >>\n"
           "startxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// The PDF with `flips` bytes changed at random places, chosen by `random`.
inline QByteArray flippedBytes(QByteArray bytes, int flips, std::mt19937& random) {
    if (bytes.isEmpty())
        return bytes;
    std::uniform_int_distribution<qsizetype> where(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int i = 0; i < flips; ++i)
        bytes[where(random)] = static_cast<char>(value(random));
    return bytes;
}

} // namespace ardenvo::test
