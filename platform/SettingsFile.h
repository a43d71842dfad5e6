#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class QSettings;

namespace ardenvo {

// The per-user settings store: one INI file that both programs share. Key paths name nested
// groups and may use "\" or "/" as separator ("Software\Ardenvo\Files\File0"); a value lives in a
// key under a short name ("Count", "path"). Every read re-reads the file and every write is
// flushed at once, so two processes see each other's changes. Safe to use from several threads.
class SettingsFile {
public:
    // The user's file, <GenericConfigLocation>/Ardenvo/registry.conf (honours XDG_CONFIG_HOME).
    SettingsFile();
    explicit SettingsFile(const std::string& filePath);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // One shared instance on the user's file, created on first use.
    static SettingsFile& user();
    static std::string defaultFilePath();

    const std::string& filePath() const { return m_filePath; }

    // A 32-bit value; none when missing or not a 32-bit integer.
    std::optional<std::int32_t> readDword(const std::string& key, const std::string& value) const;
    bool writeDword(const std::string& key, const std::string& value, std::int32_t data);

    // A string value as bytes; none when missing or longer than maxLength bytes (a longer value
    // is never cut, since a cut path would name another file).
    std::optional<std::string> readString(const std::string& key, const std::string& value,
                                          std::size_t maxLength = 65535) const;
    bool writeString(const std::string& key, const std::string& value, const std::string& data);

    bool valueExists(const std::string& key, const std::string& value) const;
    bool deleteValue(const std::string& key, const std::string& value);

    // A key exists while it or one of its subkeys holds a value.
    bool subkeyExists(const std::string& key) const;
    std::vector<std::string> childKeys(const std::string& key) const;   // value names
    std::vector<std::string> childGroups(const std::string& key) const; // subkey names
    // Deletes the key with all its values and subkeys.
    bool deleteKey(const std::string& key);

    // "Software\Ardenvo" -> "Software/Ardenvo"; leading, trailing and repeated separators dropped.
    static std::string normalizeKey(const std::string& key);

private:
    bool flush();

    std::string m_filePath;
    mutable std::mutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace ardenvo
