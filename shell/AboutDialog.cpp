#include "shell/AboutDialog.h"

#include "platform/ProgramVersion.h"
#include "shell/ToolbarIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

// The picture stretched into whatever frame the layout gives it.
class StretchedPicture : public QFrame {
public:
    explicit StretchedPicture(QImage picture) : m_picture(std::move(picture)) {
        setFrameStyle(QFrame::Box | QFrame::Sunken);
        setMinimumSize(360, 240);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (m_picture.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(contentsRect(), m_picture);
    }

private:
    QImage m_picture;
};

} // namespace

AboutDialog::AboutDialog(const QString& picturePath, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Ardenvo"));
    auto* icon = new QLabel;
    icon->setPixmap(housePixmap(32));
    auto* version = new QLabel(tr("Ardenvo Version %1").arg(QLatin1String(kProgramVersion)));
    version->setObjectName(QStringLiteral("version"));
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(version, 1);

    QImageReader reader(picturePath);
    reader.setDecideFormatFromContent(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new StretchedPicture(reader.read()), 1);
    layout->addWidget(buttons);
}

void AboutDialog::run(QWidget* parent, const QString& picturePath) {
    AboutDialog dialog(picturePath, parent);
    dialog.exec();
}

} // namespace ardenvo
