#pragma once

#include "coordination/LoadedProjectTable.h"
#include "platform/SettingsFile.h"

#include <string>

namespace ardenvo {

// What a main-program document does to let the reminder program know about it: it registers
// every project it reads or writes, keeps its path in the table of open projects, and asks the
// reminder program to reload. It removes its own entry (found by path and owner stamp, since
// other instances shift the packed table and may have the same house open) when destroyed.
class DocumentRegistration {
public:
    explicit DocumentRegistration(SettingsFile& settings = SettingsFile::user()); // opens the table
    ~DocumentRegistration();
    DocumentRegistration(const DocumentRegistration&) = delete;
    DocumentRegistration& operator=(const DocumentRegistration&) = delete;

    // After the document has been read from `path`.
    void afterRead(const std::string& path);
    // After the document has been written to `path`.
    void afterWrite(const std::string& path);
    // After a house was loaded that stays untitled (a predone one), or a new house was started:
    // it is not the user's until saved under a name of theirs, so nothing is registered and the
    // entry leaves the table.
    void afterUntitledRead();

    bool hasTable() const { return m_table.isOpen(); }
    // The path this document holds in the table; empty when it holds none.
    const std::string& tableEntry() const { return m_entry; }

private:
    void registerPath(const std::string& key);
    void replaceTableEntry(const std::string& key);
    void removeTableEntry();

    SettingsFile& m_settings;
    LoadedProjectTable m_table;
    std::string m_entry;
};

// Reminder program: whether a running main program has this project open.
bool isOpenInMainProgram(const std::string& path);

} // namespace ardenvo
