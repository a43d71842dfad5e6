#pragma once

#include <QFile>
#include <QString>

#include <string>

namespace ardenvo {

// Appends one timestamped line per notable event of the reminder program to a file the user
// names on the command line; scripted checks read it. Silent when no file was named.
class EventLog {
public:
    explicit EventLog(const std::string& path);
    void write(const QString& line);

private:
    QFile m_file;
};

} // namespace ardenvo
