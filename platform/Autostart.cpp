#include "platform/Autostart.h"

#include "platform/AppPaths.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace ardenvo {

std::string Autostart::entryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/autostart/ardenvoreminder.desktop";
}

bool Autostart::exists() {
    return QFileInfo::exists(QString::fromStdString(entryPath()));
}

std::string Autostart::stringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

std::string Autostart::execValue(const std::string& program) {
    // The program is one argument, double-quoted; inside the quotes ", `, $ and \ take a
    // backslash. Then the entry's own string escaping doubles every backslash, and % is doubled
    // so it is not read as a field code.
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : stringValue(quoted)) {
        value += c;
        if (c == '%')
            value += '%';
    }
    return value;
}

bool Autostart::write(const std::string& program) {
    const std::string exe = program.empty() ? AppPaths::programPath() : program;
    if (exe.empty() || exe.front() != '/' || !isValidUtf8(exe))
        return false;
    for (unsigned char c : exe) {
        if (c < 0x20 || c == 0x7F)
            return false; // a line break would end the value
    }
    const std::string content = "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=Ardenvo Reminder\n"
                                "Comment=Reminders of the houses kept in Ardenvo\n"
                                "Exec=" +
                                execValue(exe) +
                                "\n"
                                // Once the program is removed the desktop skips the entry
                                // instead of failing to start it at every log-on.
                                "TryExec=" +
                                stringValue(exe) +
                                "\n"
                                "Icon=ardenvoreminder\n"
                                "Terminal=false\n"
                                "X-GNOME-Autostart-enabled=true\n";
    const QString path = QString::fromStdString(entryPath());
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content.data(), static_cast<qint64>(content.size()));
    return file.commit();
}

bool Autostart::remove() {
    const QString path = QString::fromStdString(entryPath());
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace ardenvo
