#include "shell/StatusBarPanes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include <optional>

namespace ardenvo {

namespace {

// The state of a keyboard LED as the kernel shows it ("capslock", "numlock", "scrolllock"); none
// where no readable LED of that name exists (no keyboard, or a sandbox without /sys).
std::optional<bool> ledState(const QString& name) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    if (!leds.exists())
        return std::nullopt;
    const QStringList entries = leds.entryList({QStringLiteral("*::") + name}, QDir::AllEntries);
    std::optional<bool> state;
    for (const QString& entry : entries) {
        QFile f(leds.filePath(entry) + QStringLiteral("/brightness"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const bool on = f.readAll().trimmed().toInt() > 0;
        state = state.value_or(false) || on;
    }
    return state;
}

} // namespace

StatusBarPanes::StatusBarPanes(QStatusBar* bar) : QObject(bar) {
    //: Never shown: the widest text the size pane must have room for, in the plan's words.
    m_size = addPane(bar, tr("Size:00000000x00000000 centimeters"));
    m_caps = addPane(bar, capsText());
    m_num = addPane(bar, numText());
    m_scroll = addPane(bar, scrollText());
    m_clock = addPane(bar, QStringLiteral("00:00:00"));
    m_size->setObjectName(QStringLiteral("sizePane"));
    m_clock->setObjectName(QStringLiteral("clockPane"));
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &StatusBarPanes::tick);
    m_timer.start();
    qApp->installEventFilter(this);
    tick();
}

StatusBarPanes::~StatusBarPanes() {
    qApp->removeEventFilter(this);
}

QString StatusBarPanes::capsText() {
    //: The status bar's sign that Caps Lock is on.
    return tr("CAP");
}

QString StatusBarPanes::numText() {
    //: The status bar's sign that Num Lock is on.
    return tr("NUM");
}

QString StatusBarPanes::scrollText() {
    //: The status bar's sign that Scroll Lock is on.
    return tr("SCRL");
}

QLabel* StatusBarPanes::addPane(QStatusBar* bar, const QString& widest) {
    auto* pane = new QLabel(bar);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 8);
    bar->addPermanentWidget(pane);
    return pane;
}

QString StatusBarPanes::clockText(const QTime& time) {
    return QString::asprintf("%02i:%02i:%02i", time.hour(), time.minute(), time.second());
}

void StatusBarPanes::setSizeText(const QString& text) {
    m_size->setText(text);
}

void StatusBarPanes::tick() {
    m_clock->setText(clockText(QTime::currentTime()));
    showLocks();
}

void StatusBarPanes::showLocks() {
    m_caps->setText(ledState(QStringLiteral("capslock")).value_or(m_capsOn) ? capsText()
                                                                            : QString());
    m_num->setText(ledState(QStringLiteral("numlock")).value_or(m_numOn) ? numText() : QString());
    m_scroll->setText(ledState(QStringLiteral("scrolllock")).value_or(m_scrollOn) ? scrollText()
                                                                                  : QString());
}

bool StatusBarPanes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // One press reaches this filter once per receiver on its way (window, widget, parents).
        const bool seen = key->timestamp() == m_lastLockStamp && key->key() == m_lastLockKey;
        if (!key->isAutoRepeat() && !seen) {
            m_lastLockStamp = key->timestamp();
            m_lastLockKey = key->key();
            switch (key->key()) {
            case Qt::Key_CapsLock:
                m_capsOn = !m_capsOn;
                showLocks();
                break;
            case Qt::Key_NumLock:
                m_numOn = !m_numOn;
                showLocks();
                break;
            case Qt::Key_ScrollLock:
                m_scrollOn = !m_scrollOn;
                showLocks();
                break;
            default:
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ardenvo
