#pragma once

#include "model/CBrenvikaDoc.h"
#include "model/CReminder.h"
#include "model/ProjectFile.h"
#include "reminder/core/ReminderPorts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

namespace ardenvo::test {

// The registry list and the main program's open projects, in memory.
class FakeEnvironment : public ReminderEnvironment {
public:
    std::vector<RegisteredProject> entries;
    std::set<std::string> openInMain;
    std::vector<std::string> deleted;

    std::vector<RegisteredProject> readProjectEntries() override { return entries; }
    void setProjectStatus(const std::string& path, bool enabled) override {
        for (auto& e : entries)
            if (e.path == path)
                e.status = enabled ? 1 : 0;
    }
    void deleteProjectEntry(const std::string& path) override {
        deleted.push_back(path);
        std::erase_if(entries, [&](const RegisteredProject& e) { return e.path == path; });
    }
    bool isOpenInMainProgram(const std::string& path) override {
        return openInMain.count(path) > 0;
    }
};

// Records what the session told the user: errors as "Title: text".
class FakeMessages : public SessionMessages {
public:
    std::vector<std::string> errors;
    std::vector<std::string> infos;
    std::function<void()> onError; // runs while the message is open

    void showError(Title title, const SessionText& text) override {
        errors.push_back((title == Title::Error ? "Error" : "Ardenvo Reminder") +
                         (": " + text.english()));
        if (onError)
            onError();
    }
    void showInformation(const SessionText& text) override { infos.push_back(text.english()); }
};

inline LocalDateTime at(int y, int mo, int d, int h = 12, int mi = 0) {
    return {y, mo, d, h, mi, 0};
}

// A house whose first hall holds one "Chair" per entry of `objects`, with those reminders.
struct HouseSpec {
    std::vector<std::vector<CReminder>> objects;
};

inline CReminder reminderAt(const LocalDateTime& start, const std::string& notes,
                            bool periodical = false) {
    CReminder r(start);
    r.notes = notes;
    r.objectName = "Chair";
    if (periodical)
        r.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    return r;
}

// Every setting a user can edit, compared field by field (the object name is not edited).
inline void expectSameSettings(const CReminder& got, const CReminder& want) {
    EXPECT_EQ(got.start(), want.start());
    EXPECT_EQ(got.notes, want.notes);
    EXPECT_EQ(got.type, want.type);
    EXPECT_EQ(got.periodicMode, want.periodicMode);
    EXPECT_EQ(got.repeatOnNumber, want.repeatOnNumber);
    EXPECT_EQ(got.repeatOnAnchor, want.repeatOnAnchor);
    EXPECT_EQ(got.repeatOnUnit, want.repeatOnUnit);
    EXPECT_EQ(got.repeatEachCount, want.repeatEachCount);
    EXPECT_EQ(got.repeatEachUnit, want.repeatEachUnit);
}

inline void writeHouse(const std::string& path, const HouseSpec& house) {
    CBrenvikaDoc doc;
    CBlock& hall = *doc.sections().front()->blocks().front();
    for (const auto& reminders : house.objects) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Chair";
        CHouseObject& added = hall.addFloorObject(std::move(object));
        for (const auto& r : reminders)
            added.addReminder(std::make_unique<CReminder>(r));
    }
    ASSERT_EQ(saveProject(path, doc), FileError::None);
}

// The reminders stored in a project file, in file order.
inline std::vector<CReminder> remindersInFile(const std::string& path) {
    CBrenvikaDoc doc;
    std::vector<CReminder> found;
    EXPECT_EQ(loadProject(path, doc), FileError::None) << path;
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            for (const auto& object : block->floorObjects())
                for (const auto& r : object->reminders())
                    found.push_back(*r);
    return found;
}

inline std::vector<std::string> notesInFile(const std::string& path) {
    std::vector<std::string> notes;
    for (const auto& r : remindersInFile(path))
        notes.push_back(r.notes);
    return notes;
}

inline LocalDateTime firstStartInFile(const std::string& path) {
    const auto reminders = remindersInFile(path);
    return reminders.empty() ? LocalDateTime{} : reminders.front().start();
}

// A fresh folder under the system's temporary directory, removed afterwards.
class TempDir {
public:
    TempDir() {
        auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            m_path = base / ("ardenvo-reminder-test-" + std::to_string(::getpid()) + "-" +
                             std::to_string(i));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace ardenvo::test
