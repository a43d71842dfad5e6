#include "coordination/DocumentRegistration.h"

#include "coordination/ProjectRegistry.h"
#include "coordination/ReloadSignal.h"
#include "platform/ProjectKey.h"

namespace ardenvo {

DocumentRegistration::DocumentRegistration(SettingsFile& settings) : m_settings(settings) {
    m_table.openOrCreate(); // without it the document works on; nothing is reported
}

DocumentRegistration::~DocumentRegistration() {
    removeTableEntry();
    m_table.close();
}

void DocumentRegistration::removeTableEntry() {
    if (!m_entry.empty() && m_table.acquire()) {
        const std::int32_t i = m_table.findOwnEntry(m_entry);
        if (i >= 0)
            m_table.removeEntry(i);
        m_table.release();
    }
    m_entry.clear();
}

void DocumentRegistration::afterUntitledRead() {
    removeTableEntry();
}

void DocumentRegistration::afterRead(const std::string& path) {
    const std::string key = projectKey(path);
    if (key.empty())
        return;
    registerPath(key);
    replaceTableEntry(key);
    signalReload();
}

void DocumentRegistration::afterWrite(const std::string& path) {
    const std::string key = projectKey(path);
    if (key.empty())
        return;
    registerPath(key);
    signalReload();
    replaceTableEntry(key);
}

void DocumentRegistration::registerPath(const std::string& key) {
    // Only when the project is not registered yet, so a status the user chose is kept.
    registerProject(key, m_settings);
}

void DocumentRegistration::replaceTableEntry(const std::string& key) {
    if (!m_table.acquire())
        return;
    // Our own entry is found by its path and owner: other instances may have moved it in the
    // packed table, and may have the same house open.
    if (!m_entry.empty()) {
        const std::int32_t i = m_table.findOwnEntry(m_entry);
        if (i >= 0)
            m_table.removeEntry(i);
        m_entry.clear();
    }
    if (m_table.appendEntry(key))
        m_entry = key;
    m_table.release();
}

bool isOpenInMainProgram(const std::string& path) {
    const std::string key = projectKey(path);
    LoadedProjectTable table;
    if (key.empty() || !table.open())
        return false;
    const bool open = table.findEntry(key) >= 0;
    table.close();
    return open;
}

} // namespace ardenvo
