#include "reminder/core/ReminderSession.h"

#include "history/VersionStore.h"
#include "model/CReminder.h"
#include "model/ReminderSchedule.h"
#include "model/Translatable.h"
#include "platform/ProjectKey.h"

#include <algorithm>
#include <set>

namespace ardenvo {

namespace {

constexpr const char* kWrongFormat =
    AV_TRANSLATE_NOOP("ardenvo::ReminderSession", "Wrong format of file: %1");

} // namespace

ReminderSession::ReminderSession(ReminderEnvironment& environment, SessionMessages& messages,
                                 std::string customAttributesPath)
    : m_environment(environment), m_messages(messages),
      m_customAttributesPath(std::move(customAttributesPath)) {}

void ReminderSession::reloadProjects() {
    if (m_loading)
        return;
    readRegisteredProjects();
    loadEnabledProjects();
}

void ReminderSession::readRegisteredProjects() {
    m_registered = m_environment.readProjectEntries();
}

void ReminderSession::loadEnabledProjects() {
    if (m_loading)
        return;
    {
        struct LoadingScope {
            bool& flag;
            explicit LoadingScope(bool& f) : flag(f) { flag = true; }
            ~LoadingScope() { flag = false; }
        } loading(m_loading);
        loadAll();
    }
    if (m_loadObserver)
        m_loadObserver();
}

void ReminderSession::loadAll() {
    // Holds and announcements outlive a reload: a save in the main program must neither bring back
    // a reminder put off for later nor announce it twice.
    EventTable previous = std::move(m_events);
    std::vector<std::string> previousKeys;
    for (const auto& project : m_loaded)
        previousKeys.push_back(projectKey(project->path()));
    m_events.clear();
    m_loaded.clear();
    ++m_generation;

    // One house registered under two names (by an older version, through a symbolic link) is
    // loaded once: listed twice, a change written through one copy would be undone by the other.
    std::set<std::string> loadedKeys;
    const auto append = [this, &loadedKeys](std::unique_ptr<LoadedProject> project) {
        loadedKeys.insert(projectKey(project->path()));
        const int index = static_cast<int>(m_loaded.size());
        project->reminderCount = m_events.appendProject(project->doc(), index);
        m_loaded.push_back(std::move(project));
    };

    if (!m_customAttributesPath.empty()) {
        std::unique_ptr<LoadedProject> project;
        switch (LoadedProject::load(m_customAttributesPath, project)) {
        case LoadedProject::LoadResult::Loaded:
            append(std::move(project));
            break;
        case LoadedProject::LoadResult::CannotOpen:
        case LoadedProject::LoadResult::WrongFormat:
            m_messages.showError(SessionMessages::Title::Error,
                                 {kWrongFormat, {{m_customAttributesPath}}});
            break;
        case LoadedProject::LoadResult::Missing:
            break;
        }
    }

    for (std::size_t i = 0; i < m_registered.size();) {
        const RegisteredProject& entry = m_registered[i];
        if (!entry.enabled() || loadedKeys.count(projectKey(entry.path))) {
            ++i;
            continue;
        }
        std::unique_ptr<LoadedProject> project;
        const auto result = LoadedProject::load(entry.path, project);
        if (result == LoadedProject::LoadResult::Loaded) {
            append(std::move(project));
            ++i;
            continue;
        }
        // A house on an unplugged drive or an unmounted folder keeps its registration and is
        // tried again at every reload; only a file that is there and unusable is dropped.
        if (result == LoadedProject::LoadResult::Missing) {
            ++i;
            continue;
        }
        m_messages.showError(SessionMessages::Title::Error, {kWrongFormat, {{entry.path}}});
        const std::string path = entry.path;
        m_environment.deleteProjectEntry(path);
        m_registered.erase(m_registered.begin() + static_cast<std::ptrdiff_t>(i));
    }

    std::vector<std::string> keys;
    for (const auto& project : m_loaded)
        keys.push_back(projectKey(project->path()));
    m_events.carryOver(previous, previousKeys, keys);
}

void ReminderSession::holdEvent(int row, std::int64_t until) {
    m_events.hold(row, until);
}

ReminderSession::EventPlace ReminderSession::placeOfRow(int row) const {
    const EventRow* entry = m_events.rowAt(row);
    if (!entry)
        return {};
    int position = 0;
    for (int before = row - 1; before >= 0 && m_events.rowAt(before)->project == entry->project;
         --before)
        ++position;
    return {projectKey(m_loaded[static_cast<std::size_t>(entry->project)]->path()), position,
            entry->dueAt};
}

int ReminderSession::rowAtPlace(const EventPlace& place) const {
    for (int row = 0; row < m_events.size(); ++row) {
        const EventRow& entry = *m_events.rowAt(row);
        if (projectKey(m_loaded[static_cast<std::size_t>(entry.project)]->path()) !=
            place.projectKey)
            continue;
        const int found = row + place.position;
        const EventRow* candidate = m_events.rowAt(found);
        return candidate && candidate->project == entry.project && candidate->dueAt == place.dueAt
                   ? found
                   : -1;
    }
    return -1;
}

std::vector<int> ReminderSession::takeUnannounced(std::int64_t now) {
    std::vector<int> rows;
    if (m_events.firstDueIndex(now) == -1) // the idle state: one comparison
        return rows;
    for (int row = 0; row < m_events.size(); ++row) {
        const EventRow& entry = *m_events.rowAt(row);
        if (!entry.announced && entry.effectiveDue() < now) {
            m_events.setAnnounced(row);
            rows.push_back(row);
        }
    }
    return rows;
}

int ReminderSession::projectOfRow(int row) const {
    const EventRow* entry = m_events.rowAt(row);
    return entry ? entry->project : -1;
}

bool ReminderSession::isRowOpenInMainProgram(int row) const {
    const int project = projectOfRow(row);
    if (project < 0)
        return false;
    return m_environment.isOpenInMainProgram(m_loaded[static_cast<std::size_t>(project)]->path());
}

void ReminderSession::reportStale(const std::string& path) {
    reloadProjects();
    m_messages.showInformation(
        {AV_TRANSLATE_NOOP("ardenvo::ReminderSession",
                           "The project file %1 has been changed by another program since it was "
                           "loaded.\nThe reminder list has been refreshed. Please repeat the "
                           "command."),
         {{path}}});
}

bool ReminderSession::checkUnchanged(int project) {
    LoadedProject& loaded = *m_loaded[static_cast<std::size_t>(project)];
    if (loaded.diskState() != LoadedProject::DiskState::Changed)
        return true;
    reportStale(std::string(loaded.path()));
    return false;
}

bool ReminderSession::saveProject(int index) {
    if (index < 0 || index >= static_cast<int>(m_loaded.size()))
        return false;
    LoadedProject& project = *m_loaded[static_cast<std::size_t>(index)];
    const std::string path = project.path();
    std::string error;
    bool marked = false;
    switch (project.diskState()) {
    case LoadedProject::DiskState::Changed:
        reportStale(path);
        return false;
    case LoadedProject::DiskState::Missing:
        error = AV_TRANSLATE_NOOP("ardenvo::ReminderSession", "The file no longer exists.");
        marked = true;
        break;
    case LoadedProject::DiskState::Unchanged: {
        // The house as it was stays among its earlier versions, as when the main program saves.
        const KeepOutcome kept = keepEarlierVersion(path, projectKey(path));
        if (!project.write(error, marked))
            break;
        if (kept.result == KeepOutcome::Result::Failed && !m_versionProblemSaid) {
            m_versionProblemSaid = true;
            m_messages.showError(
                SessionMessages::Title::Application,
                {AV_TRANSLATE_NOOP("ardenvo::ReminderSession",
                                   "The project %1 was saved, but its earlier version could not "
                                   "be kept:\n%2"),
                 {{path}, {kept.error}}});
        }
        return true;
    }
    }
    m_messages.showError(
        SessionMessages::Title::Error,
        {AV_TRANSLATE_NOOP("ardenvo::ReminderSession", "Failed to save the project %1.\n%2"),
         {{path}, {error, marked}}});
    return false;
}

ReminderSession::Result ReminderSession::resetEvent(int row) {
    if (m_loading)
        return Result::Refused;
    const EventRow* entry = m_events.rowAt(row);
    if (!entry)
        return Result::Refused;
    if (!entry->reminder->isPeriodical())
        return deleteEvent(row);
    const int project = entry->project;
    if (!checkUnchanged(project))
        return Result::Refreshed;
    advanceReminder(*entry->reminder);
    m_events.refreshRow(row);
    return saveProject(project) ? Result::Done : Result::SaveFailed;
}

ReminderSession::Result ReminderSession::deleteEvent(int row) {
    if (m_loading)
        return Result::Refused;
    const EventRow* entry = m_events.rowAt(row);
    if (!entry)
        return Result::Refused;
    const int project = entry->project;
    if (!checkUnchanged(project))
        return Result::Refreshed;
    if (!entry->owner->removeReminder(entry->reminder))
        return Result::Refused;
    m_loaded[static_cast<std::size_t>(project)]->reminderCount -= 1;
    m_events.removeRow(row);
    return saveProject(project) ? Result::Done : Result::SaveFailed;
}

ReminderSession::Result ReminderSession::editEvent(int row, const CReminder& values) {
    if (m_loading)
        return Result::Refused;
    const EventRow* entry = m_events.rowAt(row);
    if (!entry)
        return Result::Refused;
    const int project = entry->project;
    if (!checkUnchanged(project))
        return Result::Refreshed;
    *entry->reminder = values;
    m_events.refreshRow(row);
    return saveProject(project) ? Result::Done : Result::SaveFailed;
}

CHouseObject* ReminderSession::newEventOwner() const {
    if (m_loaded.empty())
        return nullptr;
    const CBrenvikaDoc& doc = m_loaded.front()->doc();
    if (doc.sectionCount() == 0 || doc.sections().front()->blocks().empty())
        return nullptr;
    const auto& objects = doc.sections().front()->blocks().front()->floorObjects();
    return objects.empty() ? nullptr : objects.front().get();
}

void ReminderSession::refuseNewEvent() {
    m_messages.showError(SessionMessages::Title::Application,
                         {AV_TRANSLATE_NOOP("ardenvo::ReminderSession",
                                            "A new reminder needs a loaded project whose first "
                                            "block holds an object.\nAdd an object to the house "
                                            "in Ardenvo first."),
                          {}});
}

bool ReminderSession::canAddEvent() {
    if (newEventOwner())
        return true;
    refuseNewEvent();
    return false;
}

ReminderSession::Result ReminderSession::newEvent(const CReminder& values) {
    if (m_loading)
        return Result::Refused;
    CHouseObject* owner = newEventOwner();
    if (!owner) {
        refuseNewEvent();
        return Result::Refused;
    }
    if (!checkUnchanged(0))
        return Result::Refreshed;
    auto reminder = std::make_unique<CReminder>(values);
    reminder->objectName.clear();
    CReminder& added = owner->addReminder(std::move(reminder));
    m_loaded.front()->reminderCount += 1;
    m_events.append(added, *owner, 0);
    const bool saved = saveProject(0);
    // Reloading puts the new row in its place in project order.
    reloadProjects();
    return saved ? Result::Done : Result::SaveFailed;
}

void ReminderSession::setProjectsEnabled(const std::vector<int>& indexes, bool enabled) {
    if (m_loading)
        return;
    for (const int index : indexes) {
        if (index < 0 || index >= static_cast<int>(m_registered.size()))
            continue;
        RegisteredProject& entry = m_registered[static_cast<std::size_t>(index)];
        entry.status = enabled ? 1 : 0;
        m_environment.setProjectStatus(entry.path, enabled);
    }
    loadEnabledProjects();
}

void ReminderSession::deleteProjectEntries(const std::vector<std::string>& paths) {
    if (m_loading)
        return;
    for (const auto& path : paths) {
        m_environment.deleteProjectEntry(path);
        const auto it = std::find_if(m_registered.begin(), m_registered.end(),
                                     [&](const RegisteredProject& e) { return e.path == path; });
        if (it != m_registered.end())
            m_registered.erase(it);
    }
    reloadProjects();
}

} // namespace ardenvo
