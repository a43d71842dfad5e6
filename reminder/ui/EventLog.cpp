#include "reminder/ui/EventLog.h"

#include <QDateTime>

namespace ardenvo {

EventLog::EventLog(const std::string& path) : m_file(QString::fromStdString(path)) {
    if (!path.empty())
        m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void EventLog::write(const QString& line) {
    if (!m_file.isOpen())
        return;
    const QByteArray text =
        QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + line.toUtf8() + '\n';
    m_file.write(text);
    m_file.flush();
}

} // namespace ardenvo
