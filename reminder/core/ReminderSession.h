#pragma once

#include "reminder/core/EventTable.h"
#include "reminder/core/LoadedProject.h"
#include "reminder/core/ReminderPorts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

class CHouseObject;
class CReminder;

// Everything the reminder program holds: the registered projects, the loaded ones and the table
// of their reminders, with the commands that change reminders and write projects back. Lives on
// the GUI thread; tells the user through `messages`.
class ReminderSession {
public:
    enum class Result {
        Done,
        Refused,    // nothing to act on; nothing changed
        Refreshed,  // the file had changed on disk: the projects were reloaded, nothing written
        SaveFailed, // the change stays in memory, the user was told
    };

    ReminderSession(ReminderEnvironment& environment, SessionMessages& messages,
                    std::string customAttributesPath);
    ReminderSession(const ReminderSession&) = delete;
    ReminderSession& operator=(const ReminderSession&) = delete;

    const std::vector<RegisteredProject>& registeredProjects() const { return m_registered; }
    const std::vector<std::unique_ptr<LoadedProject>>& loadedProjects() const { return m_loaded; }
    const EventTable& events() const { return m_events; }
    // Changes whenever the table is rebuilt, so holders of a row can tell it went stale.
    std::uint64_t generation() const { return m_generation; }

    // Reads the registry list again, then loads the enabled projects.
    void reloadProjects();
    void readRegisteredProjects();
    // Frees everything loaded, then loads the custom attributes file and every enabled project.
    // A registered file that is not there is skipped and tried again at the next load; one that
    // is there but cannot be read as a project loses its registration, with a message.
    void loadEnabledProjects();

    // Told after every load of the projects, whichever command or request caused it.
    void setLoadObserver(std::function<void()> observer) { m_loadObserver = std::move(observer); }

    // True while projects are being loaded: a message box shown meanwhile runs its own event
    // loop, and nothing may start another load under it.
    bool isLoading() const { return m_loading; }

    int firstDueIndex(std::int64_t now) const { return m_events.firstDueIndex(now); }
    int projectOfRow(int row) const;
    bool isRowOpenInMainProgram(int row) const;

    // Writes project `index` back over its file, unless the file has changed since it was read.
    bool saveProject(int index);

    // "Remind me later": the row is not due before `until`, while the program runs; its file is
    // not changed. A reset, edit or delete of the row ends the hold.
    void holdEvent(int row, std::int64_t until);
    // Ends the holds whose time has come at `now`; true when any ended.
    bool endHolds(std::int64_t now) { return m_events.endHolds(now); }
    // The rows due at `now` that have not been announced yet, marked as announced now: each due
    // moment is announced once, across reloads, and again after a hold or a new date.
    std::vector<int> takeUnannounced(std::int64_t now);

    // A row named so that it is found again after a reload: its project, its place among that
    // project's reminders and its due moment.
    struct EventPlace {
        std::string projectKey;
        int position = -1;
        std::int64_t dueAt = 0;
    };
    EventPlace placeOfRow(int row) const;
    int rowAtPlace(const EventPlace& place) const; // -1 when it is gone or has moved

    // Advances a periodical reminder, deletes a single-date one; then saves.
    Result resetEvent(int row);
    Result deleteEvent(int row);
    // Copies every field of `values` into the row's reminder; then saves.
    Result editEvent(int row, const CReminder& values);
    // Whether a new reminder has somewhere to go; when not, the user is told why. Asked before
    // the settings dialog opens, so nothing typed there is thrown away.
    bool canAddEvent();
    // Adds a reminder to the first floor object of the first block of the first section of the
    // first loaded project, saves it and reloads. Refused with a message when there is none.
    Result newEvent(const CReminder& values);

    // Sets the status of the registered projects at these indexes, in memory and in the registry,
    // then loads the enabled projects again.
    void setProjectsEnabled(const std::vector<int>& indexes, bool enabled);
    // Removes the registrations (never the files), then reloads.
    void deleteProjectEntries(const std::vector<std::string>& paths);

private:
    void loadAll();
    // The first floor object of the first block of the first section of the first loaded
    // project, or null.
    CHouseObject* newEventOwner() const;
    void refuseNewEvent();
    // False (after reloading and telling the user) when the project's file changed on disk.
    bool checkUnchanged(int project);
    void reportStale(const std::string& path);

    ReminderEnvironment& m_environment;
    SessionMessages& m_messages;
    std::string m_customAttributesPath;
    std::vector<RegisteredProject> m_registered;
    std::vector<std::unique_ptr<LoadedProject>> m_loaded;
    EventTable m_events;
    std::uint64_t m_generation = 0;
    bool m_loading = false;
    bool m_versionProblemSaid = false; // once a session, as the main program tells it
    std::function<void()> m_loadObserver;
};

} // namespace ardenvo
