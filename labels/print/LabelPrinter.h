#pragma once

#include "labels/core/LabelSheet.h"
#include "labels/core/LabelText.h"
#include "model/CBrenvikaDoc.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace ardenvo {

// QR modules are never drawn smaller than this, so a phone reads the code off the label.
inline constexpr double kMinModuleMm = 0.4;
// White modules kept round the code inside its square.
inline constexpr int kQuietModules = 2;

// Told how many labels are drawn of how many; returns false to stop.
using LabelProgress = std::function<bool(int done, int total)>;

// Everything a run of labels needs: the sheet, where on the first sheet to start (from 1), the
// labels' texts and the house's title for their codes.
struct LabelJob {
    LabelSheet sheet;
    int start = 1;
    std::vector<LabelContent> labels;
    std::string title;
};

// The job for those subjects of the house, each carrying its code (planLabelCodes) when `codes`
// is set; the house is not changed.
LabelJob makeLabelJob(const CBrenvikaDoc& doc, const std::vector<LabelSubject>& subjects,
                      const LabelSheet& sheet, int start, bool codes);
// The codes of the job's labels, one a label, for storeLabelCodes.
std::vector<std::string> jobCodes(const LabelJob& job);

// Where the parts of one label go, in millimetres from the label's top-left corner: the QR code's
// square and the text's box beside it (wide labels) or below it (tall ones).
struct LabelParts {
    double qrX = 0, qrY = 0, qrSide = 0;
    double textX = 0, textY = 0, textWidth = 0, textHeight = 0;
    // The most modules a side the code may have and still keep kMinModuleMm.
    int maxModules = 0;
};
LabelParts labelParts(double width, double height);

// The QR text of each label of the job, as labelParts of its sheet allows.
std::vector<std::string> jobPayloads(const LabelJob& job);

// Draws one label into `mm` (millimetres, top-left corner and size) of a painter whose device has
// `dotsPerMm` device pixels to the millimetre.
void paintLabel(QPainter& painter, double dotsPerMm, const QRectF& mm, const LabelContent& label,
                const std::string& payload);

// The sheet's page with no margins, for the PDF writer and the printer.
QPageLayout sheetPageLayout(const LabelSheet& sheet);

// Draws the labels page after page onto a device already set to the sheet's page size, with no
// margins; false when `progress` stopped it.
bool paintLabels(const LabelJob& job, QPagedPaintDevice& device,
                 const LabelProgress& progress = {});

// Writes the labels as a PDF, replacing `path` safely (a failed or stopped run leaves the file as
// it was). False with `error` set when it could not be written, with `error` empty when stopped.
bool writeLabelsPdf(const LabelJob& job, const QString& path, QString& error,
                    const LabelProgress& progress = {});

// The first sheet as a picture `width` pixels wide, the labels' outlines drawn in grey.
QImage previewFirstSheet(const LabelJob& job, int width);

} // namespace ardenvo
