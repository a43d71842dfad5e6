#include "platform/SettingsFile.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <limits>

namespace ardenvo {

namespace {

QString groupPath(const std::string& key) {
    return QString::fromUtf8(SettingsFile::normalizeKey(key));
}

QString valuePath(const std::string& key, const std::string& value) {
    const std::string k = SettingsFile::normalizeKey(key);
    const std::string v = SettingsFile::normalizeKey(value);
    return QString::fromUtf8(k.empty() ? v : k + "/" + v);
}

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

SettingsFile::SettingsFile() : SettingsFile(defaultFilePath()) {}

SettingsFile::SettingsFile(const std::string& filePath)
    : m_filePath(filePath), m_settings(std::make_unique<QSettings>(QString::fromStdString(filePath),
                                                                   QSettings::IniFormat)) {}

SettingsFile::~SettingsFile() = default;

SettingsFile& SettingsFile::user() {
    static SettingsFile instance;
    return instance;
}

std::string SettingsFile::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/Ardenvo/registry.conf";
}

std::string SettingsFile::normalizeKey(const std::string& key) {
    std::string out;
    std::string part;
    auto flushPart = [&] {
        if (part.empty())
            return;
        if (!out.empty())
            out += '/';
        out += part;
        part.clear();
    };
    for (char c : key) {
        if (c == '\\' || c == '/')
            flushPart();
        else
            part += c;
    }
    flushPart();
    return out;
}

bool SettingsFile::flush() {
    QDir().mkpath(QFileInfo(QString::fromStdString(m_filePath)).absolutePath());
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<std::int32_t> SettingsFile::readDword(const std::string& key,
                                                    const std::string& value) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    const QVariant v = m_settings->value(valuePath(key, value));
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
        n > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(n);
}

bool SettingsFile::writeDword(const std::string& key, const std::string& value, std::int32_t data) {
    std::lock_guard lock(m_mutex);
    m_settings->setValue(valuePath(key, value), static_cast<int>(data));
    return flush();
}

std::optional<std::string> SettingsFile::readString(const std::string& key,
                                                    const std::string& value,
                                                    std::size_t maxLength) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    const QVariant v = m_settings->value(valuePath(key, value));
    if (!v.isValid())
        return std::nullopt;
    QByteArray bytes;
    if (v.typeId() == QMetaType::QByteArray)
        bytes = v.toByteArray();
    else if (v.typeId() == QMetaType::QStringList)
        bytes = v.toStringList().join(QLatin1Char(',')).toUtf8(); // an unquoted comma in the file
    else
        bytes = v.toString().toUtf8();
    if (static_cast<std::size_t>(bytes.size()) > maxLength)
        return std::nullopt;
    return bytes.toStdString();
}

bool SettingsFile::writeString(const std::string& key, const std::string& value,
                               const std::string& data) {
    std::lock_guard lock(m_mutex);
    // Bytes that are not UTF-8 are kept as bytes so they come back unchanged.
    if (isValidUtf8(data))
        m_settings->setValue(valuePath(key, value), QString::fromStdString(data));
    else
        m_settings->setValue(valuePath(key, value), QByteArray::fromStdString(data));
    return flush();
}

bool SettingsFile::valueExists(const std::string& key, const std::string& value) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    return m_settings->contains(valuePath(key, value));
}

bool SettingsFile::deleteValue(const std::string& key, const std::string& value) {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    if (!m_settings->contains(valuePath(key, value)))
        return false;
    m_settings->remove(valuePath(key, value));
    return flush();
}

bool SettingsFile::subkeyExists(const std::string& key) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    m_settings->beginGroup(groupPath(key));
    const bool exists = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return exists;
}

std::vector<std::string> SettingsFile::childKeys(const std::string& key) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    m_settings->beginGroup(groupPath(key));
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    return toStd(keys);
}

std::vector<std::string> SettingsFile::childGroups(const std::string& key) const {
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    m_settings->beginGroup(groupPath(key));
    const QStringList groups = m_settings->childGroups();
    m_settings->endGroup();
    return toStd(groups);
}

bool SettingsFile::deleteKey(const std::string& key) {
    const QString group = groupPath(key);
    if (group.isEmpty())
        return false; // never the whole file
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    m_settings->beginGroup(group);
    const bool exists = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    if (!exists)
        return false;
    m_settings->remove(group);
    return flush();
}

} // namespace ardenvo
