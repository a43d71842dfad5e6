#include "shell/SplashWindow.h"

#include "platform/ProgramVersion.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace ardenvo {

SplashWindow::SplashWindow(const QString& picturePath, QWidget* owner, int lifetimeMs)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(QStringLiteral("Ardenvo: ") + mottoText());
    QImageReader reader(picturePath);
    reader.setDecideFormatFromContent(true);
    m_picture = reader.read(); // a null image when the file is missing or unreadable
    m_timer.setSingleShot(true);
    m_timer.setInterval(lifetimeMs);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::dismiss);
    qApp->installEventFilter(this);
}

SplashWindow::~SplashWindow() {
    qApp->removeEventFilter(this);
}

void SplashWindow::present() {
    const QWidget* owner = parentWidget();
    QRect area = owner && owner->isVisible() ? owner->frameGeometry() : QRect();
    if (area.isEmpty() && screen())
        area = screen()->availableGeometry();
    if (!area.isEmpty())
        move(area.center() - rect().center());
    show();
    raise();
    m_timer.start();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (m_picture.isNull())
        return;
    p.drawImage(QPoint(0, 0), m_picture);
    // The picture's words are drawn here, so that they are the user's language's. A longer
    // translation is set smaller rather than cut.
    const auto drawFitted = [&p](const QString& text, const QRect& box, int pixels, QColor color) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(pixels);
        while (pixels > 8 && QFontMetrics(font).horizontalAdvance(text) > box.width())
            font.setPixelSize(--pixels);
        p.setFont(font);
        p.setPen(color);
        p.drawText(box,
                   Qt::AlignBottom | (box.left() > kWidth / 2 ? Qt::AlignRight : Qt::AlignLeft),
                   text);
    };
    drawFitted(mottoText(), QRect(26, 58, kWidth - 52, 24), 15, QColor(0xf4, 0xf4, 0xf4));
    drawFitted(versionText(), QRect(kWidth / 2 + 8, 294, kWidth / 2 - 32, 20), 12, Qt::white);
}

QString SplashWindow::mottoText() {
    //: The motto under the program's name on the picture shown at start.
    return tr("Your house and everything in it");
}

QString SplashWindow::versionText() {
    return tr("Version %1").arg(QLatin1String(kProgramVersion));
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_gone)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepting it keeps an accelerator from firing; the key press that follows is eaten.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        dismiss();
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::dismiss() {
    if (m_gone)
        return;
    m_gone = true;
    m_timer.stop();
    hide();
    if (QWidget* owner = parentWidget())
        owner->update();
    emit dismissed();
    close();
}

} // namespace ardenvo
