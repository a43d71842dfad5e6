#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace ardenvo {

// The picture shown for about a second while the program starts. The first key or mouse press
// anywhere in the program only takes it away: that input does not reach the window below.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 320;

    // `picturePath` may be missing: the splash then stays empty. Destroys itself when it goes.
    SplashWindow(const QString& picturePath, QWidget* owner, int lifetimeMs = 1000);
    ~SplashWindow() override;

    // Shows it centred over its owner (or the screen).
    void present();
    // The words drawn over the picture.
    static QString mottoText();
    static QString versionText();

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dismiss();

    QImage m_picture;
    QTimer m_timer;
    bool m_gone = false;
};

} // namespace ardenvo
