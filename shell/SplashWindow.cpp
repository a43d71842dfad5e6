#include "shell/SplashWindow.h"

#include <QApplication>
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
    if (!m_picture.isNull())
        p.drawImage(QPoint(0, 0), m_picture);
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
