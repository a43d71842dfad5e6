#include "labels/print/LabelPrinter.h"

#include "labels/core/LabelCodes.h"
#include "labels/core/QrCode.h"
#include "platform/SafeDevice.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace ardenvo {
namespace {

constexpr int kPdfResolution = 600;
// Progress is told every this many labels.
constexpr int kProgressEvery = 16;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void paintCode(QPainter& painter, double dotsPerMm, double x, double y, double side,
               const QrSymbol& symbol) {
    // One pixel a module, stretched onto the square without smoothing: a page of a thousand codes
    // stays small and quick to write, where a rectangle a module made it megabytes of paths.
    const int span = symbol.width + 2 * kQuietModules;
    QImage image(span, span, QImage::Format_Grayscale8);
    image.fill(255);
    for (int row = 0; row < symbol.width; ++row) {
        uchar* line = image.scanLine(row + kQuietModules) + kQuietModules;
        for (int column = 0; column < symbol.width; ++column)
            if (symbol.dark(column, row))
                line[column] = 0;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(x * dotsPerMm, y * dotsPerMm, side * dotsPerMm, side * dotsPerMm),
                      image);
    painter.restore();
}

QFont labelFont(double heightMm, double dotsPerMm, bool bold) {
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(heightMm * dotsPerMm))));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

LabelJob makeLabelJob(const CBrenvikaDoc& doc, const std::vector<LabelSubject>& subjects,
                      const LabelSheet& sheet, int start, bool codes) {
    LabelJob job;
    job.sheet = sheet;
    job.start = start;
    job.title = houseTitle(doc.pathName());
    const std::vector<std::string> planned =
        codes ? planLabelCodes(doc, subjects) : std::vector<std::string>(subjects.size());
    job.labels.reserve(subjects.size());
    for (std::size_t i = 0; i < subjects.size(); ++i)
        job.labels.push_back(makeLabelContent(subjects[i], planned[i]));
    return job;
}

std::vector<std::string> jobCodes(const LabelJob& job) {
    std::vector<std::string> codes;
    for (const LabelContent& label : job.labels)
        codes.push_back(label.code);
    return codes;
}

LabelParts labelParts(double width, double height) {
    LabelParts parts;
    const double pad = std::min(width, height) >= 30 ? 2.0 : 1.5;
    if (height > width) {
        parts.qrSide = std::min(width - 2 * pad, height * 0.55);
        parts.qrX = (width - parts.qrSide) / 2;
        parts.qrY = pad;
        parts.textX = pad;
        parts.textY = parts.qrY + parts.qrSide + pad;
        parts.textWidth = width - 2 * pad;
        parts.textHeight = height - parts.textY - pad;
    } else {
        parts.qrSide = std::min(height - 2 * pad, width * 0.4);
        parts.qrX = pad;
        parts.qrY = (height - parts.qrSide) / 2;
        parts.textX = parts.qrX + parts.qrSide + pad;
        parts.textY = pad;
        parts.textWidth = width - parts.textX - pad;
        parts.textHeight = height - 2 * pad;
    }
    parts.maxModules =
        static_cast<int>(std::floor(parts.qrSide / kMinModuleMm + 1e-9)) - 2 * kQuietModules;
    return parts;
}

std::vector<std::string> jobPayloads(const LabelJob& job) {
    const int maxModules = labelParts(job.sheet.labelWidth, job.sheet.labelHeight).maxModules;
    std::vector<std::string> payloads;
    payloads.reserve(job.labels.size());
    for (const LabelContent& label : job.labels)
        payloads.push_back(qrPayload(label, job.title, maxModules));
    return payloads;
}

void paintLabel(QPainter& painter, double dotsPerMm, const QRectF& mm, const LabelContent& label,
                const std::string& payload) {
    const LabelParts parts = labelParts(mm.width(), mm.height());
    const QrSymbol symbol = encodeQr(payload);
    if (!symbol.empty())
        paintCode(painter, dotsPerMm, mm.x() + parts.qrX, mm.y() + parts.qrY, parts.qrSide, symbol);

    const double x = (mm.x() + parts.textX) * dotsPerMm;
    const double width = parts.textWidth * dotsPerMm;
    const double bottom = (mm.y() + parts.textY + parts.textHeight) * dotsPerMm;
    double y = (mm.y() + parts.textY) * dotsPerMm;
    const QFont nameFont = labelFont(std::min(3.6, parts.textHeight / 6), dotsPerMm, true);
    const QFont bodyFont = labelFont(std::min(3.0, parts.textHeight / 8), dotsPerMm, false);
    const QFont codeFont = labelFont(std::min(3.0, parts.textHeight / 8), dotsPerMm, true);
    painter.setPen(Qt::black);
    // Each line cut to the label's width: names never wrap onto the next label.
    const auto line = [&](const std::string& text, const QFont& font) {
        const QFontMetricsF metrics(font, painter.device());
        if (y + metrics.height() > bottom + 0.5)
            return false;
        painter.setFont(font);
        painter.drawText(QPointF(x, y + metrics.ascent()),
                         metrics.elidedText(fromUtf8(text), Qt::ElideRight, width));
        y += metrics.lineSpacing();
        return true;
    };
    line(label.name, nameFont);
    line(label.place, bodyFont);
    if (!label.code.empty())
        line(label.code, codeFont);
    const QFontMetricsF body(bodyFont, painter.device());
    const double room = bottom - y + body.lineSpacing() - body.height();
    const auto fit = static_cast<std::size_t>(std::max(0.0, std::floor(room / body.lineSpacing())));
    std::vector<std::string> contents = contentLines(label, fit);
    // The printed words follow the user's language; the code keeps the English a phone reads.
    if (const int more = static_cast<int>(leftOutLines(label, fit)); more > 0 && !contents.empty())
        contents.back() =
            QCoreApplication::translate("ardenvo::LabelPrinter", "and %n more", nullptr, more)
                .toStdString();
    for (const std::string& text : contents)
        line(text, bodyFont);
}

QPageLayout sheetPageLayout(const LabelSheet& sheet) {
    // A page wider than tall is given upright and turned, as page sizes are kept.
    const bool wide = sheet.pageWidth > sheet.pageHeight;
    const QSizeF size = wide ? QSizeF(sheet.pageHeight, sheet.pageWidth)
                             : QSizeF(sheet.pageWidth, sheet.pageHeight);
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

bool paintLabels(const LabelJob& job, QPagedPaintDevice& device, const LabelProgress& progress) {
    const std::vector<std::string> payloads = jobPayloads(job);
    const std::vector<LabelPlace> places =
        labelPlaces(job.sheet, static_cast<int>(job.labels.size()), job.start);
    const int total = static_cast<int>(places.size());
    if (progress && !progress(0, total))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    int page = 0;
    for (int i = 0; i < total; ++i) {
        const LabelPlace& place = places[static_cast<std::size_t>(i)];
        if (place.page != page) {
            device.newPage();
            page = place.page;
        }
        paintLabel(painter, dotsPerMm, QRectF(place.x, place.y, place.width, place.height),
                   job.labels[static_cast<std::size_t>(i)], payloads[static_cast<std::size_t>(i)]);
        if (progress && ((i + 1) % kProgressEvery == 0 || i + 1 == total) &&
            !progress(i + 1, total)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

bool writeLabelsPdf(const LabelJob& job, const QString& path, QString& error,
                    const LabelProgress& progress) {
    std::string failure;
    bool stopped = false;
    const bool written = replaceFileThroughDevice(
        path,
        [&](QIODevice& device) {
            QPdfWriter writer(&device);
            writer.setResolution(kPdfResolution);
            writer.setPageLayout(sheetPageLayout(job.sheet));
            writer.setTitle(QStringLiteral("Labels of ") + fromUtf8(job.title));
            writer.setCreator(QStringLiteral("Ardenvo"));
            const bool painted = paintLabels(job, writer, [&](int done, int total) {
                stopped = progress && !progress(done, total);
                return !stopped;
            });
            return painted;
        },
        &failure);
    if (!written)
        error = stopped           ? QString()
                : failure.empty() ? QCoreApplication::translate("ardenvo::LabelPrinter",
                                                                "The labels could not be drawn.")
                                  : QString::fromStdString(failure);
    return written;
}

QImage previewFirstSheet(const LabelJob& job, int width) {
    const LabelSheet& sheet = job.sheet;
    const double dotsPerMm = width / sheet.pageWidth;
    const int height = std::max(1, static_cast<int>(std::lround(sheet.pageHeight * dotsPerMm)));
    QImage image(std::max(1, width), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const std::vector<LabelPlace> cells = labelPlaces(sheet, sheet.labelsPerPage(), 1);
    painter.setPen(QPen(QColor(190, 190, 190), 0, Qt::DashLine));
    for (const LabelPlace& slot : cells)
        painter.drawRect(QRectF(slot.x * dotsPerMm, slot.y * dotsPerMm, slot.width * dotsPerMm,
                                slot.height * dotsPerMm));
    const std::vector<LabelPlace> places =
        labelPlaces(sheet, static_cast<int>(job.labels.size()), job.start);
    const int maxModules = labelParts(sheet.labelWidth, sheet.labelHeight).maxModules;
    for (std::size_t i = 0; i < places.size() && places[i].page == 0; ++i)
        paintLabel(painter, dotsPerMm,
                   QRectF(places[i].x, places[i].y, places[i].width, places[i].height),
                   job.labels[i], qrPayload(job.labels[i], job.title, maxModules));
    return image;
}

} // namespace ardenvo
