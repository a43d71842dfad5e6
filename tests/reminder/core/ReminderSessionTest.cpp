#include "ReminderCoreFixtures.h"

#include "history/VersionStore.h"
#include "model/LocalTime.h"
#include "platform/ProjectKey.h"
#include "reminder/core/ProjectName.h"
#include "reminder/core/ReminderSession.h"

namespace ardenvo::test {
namespace {

class SessionTest : public testing::Test {
protected:
    TempDir dir;
    FakeEnvironment env;
    FakeMessages messages;
    std::string custom = dir.file("CustomAttributes.cav");
    ReminderSession session{env, messages, custom};

    std::string project(const std::string& name, const HouseSpec& house, int status = 1) {
        const std::string path = dir.file(name);
        writeHouse(path, house);
        env.entries.push_back({static_cast<std::int32_t>(env.entries.size()), path, status});
        return path;
    }
    std::vector<std::string> rowNotes() const {
        std::vector<std::string> notes;
        for (const auto& row : session.events().rows())
            notes.push_back(row.reminder->notes);
        return notes;
    }
};

using Notes = std::vector<std::string>;

TEST(ProjectNameTest, CutsAtLastDotAndLastSeparator) {
    EXPECT_EQ(projectNameOf("c:\\homes\\my house.av"), "my house");
    EXPECT_EQ(projectNameOf("/home/ann/my house.av"), "my house");
    EXPECT_EQ(projectNameOf("/home/ann/flat.old.av"), "flat.old");
    EXPECT_EQ(projectNameOf("plain"), "plain");
    EXPECT_EQ(projectNameOf("house.av"), "house");
    // The only dot in a directory name: the cut lies before the last separator.
    EXPECT_EQ(projectNameOf("/home/my.dir/house"), "");
    EXPECT_EQ(projectNameOf(""), "");
    EXPECT_EQ(projectNameOf("/home/ann/"), "");
}

TEST_F(SessionTest, LoadsCustomAttributesThenEnabledProjectsInProjectOrder) {
    writeHouse(custom, {{{reminderAt(at(2030, 1, 1), "custom")}}});
    project("a.av", {{{reminderAt(at(2030, 1, 1), "a1"), reminderAt(at(2030, 1, 2), "a2")},
                      {reminderAt(at(2030, 1, 3), "a3")}}});
    project("off.av", {{{reminderAt(at(2030, 1, 1), "off")}}}, 0);
    project("b.av", {{{reminderAt(at(2030, 1, 1), "b1")}}});

    session.reloadProjects();

    EXPECT_EQ(rowNotes(), (Notes{"custom", "a1", "a2", "a3", "b1"}));
    ASSERT_EQ(session.loadedProjects().size(), 3u);
    EXPECT_EQ(session.loadedProjects()[1]->reminderCount, 3);
    EXPECT_EQ(session.projectOfRow(0), 0);
    EXPECT_EQ(session.projectOfRow(3), 1);
    EXPECT_EQ(session.projectOfRow(4), 2);
    EXPECT_EQ(session.projectOfRow(5), -1);
    EXPECT_EQ(session.registeredProjects().size(), 3u); // the disabled one stays registered
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(SessionTest, MissingFilesStayRegisteredAndUnreadableOnesAreDroppedWithAMessage) {
    const std::string good = project("good.av", {{{reminderAt(at(2030, 1, 1), "g")}}});
    // A house on a drive that is not plugged in, one in a folder not mounted yet.
    const std::string missing = dir.file("missing.av");
    env.entries.push_back({5, missing, 1});
    const std::string unmounted = dir.file("not-mounted/house.av");
    env.entries.push_back({6, unmounted, 1});
    const std::string broken = dir.file("broken.av");
    writeBytes(broken, std::string("\x09\0\0\0\x07\0\0\0", 8));
    env.entries.push_back({7, broken, 1});
    const std::string truncated = dir.file("short.av");
    writeBytes(truncated, std::string("\x01\0\0\0\x02\0\0\0\x05\0", 10));
    env.entries.push_back({8, truncated, 1});
    const std::string folder = dir.file("folder.av"); // there, but no file to read
    std::filesystem::create_directory(folder);
    env.entries.push_back({9, folder, 1});
    writeBytes(custom, "garbage");

    session.reloadProjects();

    EXPECT_EQ(rowNotes(), Notes{"g"});
    EXPECT_EQ(env.deleted, (Notes{broken, truncated, folder}));
    ASSERT_EQ(session.registeredProjects().size(), 3u);
    EXPECT_EQ(session.registeredProjects()[1].path, missing);
    EXPECT_EQ(session.registeredProjects()[2].path, unmounted);
    // The custom file never touches the registry.
    EXPECT_EQ(messages.errors, (Notes{"Error: Wrong format of file: " + custom,
                                      "Error: Wrong format of file: " + broken,
                                      "Error: Wrong format of file: " + truncated,
                                      "Error: Wrong format of file: " + folder}));
}

TEST_F(SessionTest, OneHouseRegisteredUnderTwoPathsIsListedOnce) {
    // Registrations an older version made through a symbolic link and through the file itself.
    const std::string real = project("house.av", {{{reminderAt(at(2030, 1, 1), "once")}}});
    const std::string link = dir.file("link.av");
    std::filesystem::create_symlink(real, link);
    env.entries.push_back({1, link, 1});
    project("other.av", {{{reminderAt(at(2030, 1, 1), "other")}}});

    session.reloadProjects();
    EXPECT_EQ(rowNotes(), (Notes{"once", "other"}));
    EXPECT_EQ(session.registeredProjects().size(), 3u); // nothing unregistered behind the back
    EXPECT_TRUE(env.deleted.empty());
}

TEST_F(SessionTest, NoLoadStartsUnderTheMessageOfAnother) {
    const std::string broken = dir.file("broken.av");
    writeBytes(broken, "not a house");
    env.entries.push_back({0, broken, 1});
    project("good.av", {{{reminderAt(at(2030, 1, 1), "g")}}});
    // The message box's own event loop lets a tick ask for a reload meanwhile.
    messages.onError = [&] {
        EXPECT_TRUE(session.isLoading());
        session.reloadProjects();
    };
    session.reloadProjects();
    EXPECT_FALSE(session.isLoading());
    EXPECT_EQ(rowNotes(), Notes{"g"});
    EXPECT_EQ(messages.errors.size(), 1u);
}

TEST_F(SessionTest, FirstDueIndexFollowsTableOrderAndTheStrictTest) {
    const LocalDateTime soon = at(2030, 5, 1, 10, 0);
    project("a.av", {{{reminderAt(at(2031, 1, 1), "late"), reminderAt(soon, "soon")}}});
    project("b.av", {{{reminderAt(at(2020, 1, 1), "early")}}});
    session.reloadProjects();

    const std::int64_t soonInstant = toInstant(soon);
    EXPECT_EQ(session.firstDueIndex(toInstant(at(2019, 1, 1))), -1);
    EXPECT_EQ(session.firstDueIndex(soonInstant), 2); // "soon" is not due in its own second
    EXPECT_EQ(session.firstDueIndex(soonInstant + 1), 1);
    EXPECT_EQ(session.firstDueIndex(toInstant(at(2032, 1, 1))), 0);
}

TEST_F(SessionTest, DueCheckFollowsDeletedAndAdvancedReminders) {
    CReminder yearly = reminderAt(at(2020, 1, 1), "yearly", true);
    yearly.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Year);
    project("a.av", {{{yearly, reminderAt(at(2021, 1, 1), "single")}}});
    session.reloadProjects();
    const std::int64_t mid2020 = toInstant(at(2020, 6, 1));
    ASSERT_EQ(session.firstDueIndex(mid2020), 0);

    ASSERT_EQ(session.resetEvent(0), ReminderSession::Result::Done); // 365 days on
    EXPECT_EQ(session.firstDueIndex(mid2020), -1);
    EXPECT_EQ(session.firstDueIndex(toInstant(at(2021, 1, 1)) + 1), 0);

    ASSERT_EQ(session.deleteEvent(0), ReminderSession::Result::Done);
    EXPECT_EQ(session.firstDueIndex(toInstant(at(2021, 1, 1))), -1);
    EXPECT_EQ(session.firstDueIndex(toInstant(at(2021, 1, 1)) + 1), 0);
    EXPECT_EQ(session.resetEvent(7), ReminderSession::Result::Refused); // no such row
}

TEST_F(SessionTest, WritesOnlyTheChangedProjectAndKeepsEverythingElse) {
    const std::string a = project("a.av", {{{reminderAt(at(2030, 1, 1), "a")}}});
    const std::string b =
        project("b.av", {{{reminderAt(at(2030, 1, 1), "b1"), reminderAt(at(2030, 1, 2), "b2")}}});
    std::ifstream in(a, std::ios::binary);
    const std::string aBefore((std::istreambuf_iterator<char>(in)), {});
    session.reloadProjects();

    ASSERT_EQ(session.deleteEvent(1), ReminderSession::Result::Done);

    std::ifstream again(a, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), aBefore);
    EXPECT_EQ(notesInFile(b), Notes{"b2"});
}

// The house as it was before the reminder program changed it stays among its earlier versions;
// that it could not be kept is said once, and never stops the change.
TEST_F(SessionTest, EachSaveKeepsTheHouseAsItWasAndAVersionNotKeptIsToldOnce) {
    const std::string path =
        project("a.av", {{{reminderAt(at(2030, 1, 1), "x"), reminderAt(at(2030, 1, 2), "y"),
                           reminderAt(at(2030, 1, 3), "z")}}});
    session.reloadProjects();
    ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    ASSERT_EQ(session.deleteEvent(0), ReminderSession::Result::Done);
    const std::vector<HouseVersion> kept =
        VersionStore(versionsFolderFor(projectKey(path))).versions();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(notesInFile(kept[0].path), (Notes{"x", "y", "z"}));

    std::ofstream(dir.file("not a folder")) << "";
    ::setenv("XDG_DATA_HOME", dir.file("not a folder").c_str(), 1);
    EXPECT_EQ(session.deleteEvent(0), ReminderSession::Result::Done);
    EXPECT_EQ(session.deleteEvent(0), ReminderSession::Result::Done);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(notesInFile(path).empty());
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0].rfind("Ardenvo Reminder: The project " + path +
                                           " was saved, but its earlier version could not be kept",
                                       0),
              0u)
        << messages.errors[0];
}

TEST_F(SessionTest, FileChangedOnDiskIsNeverOverwritten) {
    const std::string path = project(
        "a.av", {{{reminderAt(at(2030, 1, 1), "mine"), reminderAt(at(2030, 1, 2), "other")}}});
    session.reloadProjects();
    // Saved meanwhile by the main program, without the reload reaching us.
    writeHouse(path, {{{reminderAt(at(2030, 1, 1), "theirs")}}});

    EXPECT_EQ(session.deleteEvent(0), ReminderSession::Result::Refreshed);
    EXPECT_EQ(notesInFile(path), Notes{"theirs"});
    EXPECT_EQ(rowNotes(), Notes{"theirs"});
    ASSERT_EQ(messages.infos.size(), 1u);
    EXPECT_NE(messages.infos[0].find("Please repeat the command"), std::string::npos);

    writeHouse(path, {{{reminderAt(at(2030, 1, 1), "again", true)}}});
    EXPECT_EQ(session.resetEvent(0), ReminderSession::Result::Refreshed);
    EXPECT_EQ(session.editEvent(0, reminderAt(at(2031, 1, 1), "edited")),
              ReminderSession::Result::Done);
    EXPECT_EQ(notesInFile(path), Notes{"edited"});
}

TEST_F(SessionTest, MissingFileIsNotCreatedAndTheChangeStaysInMemory) {
    const std::string path =
        project("a.av", {{{reminderAt(at(2030, 1, 1), "x"), reminderAt(at(2030, 1, 2), "y")}}});
    session.reloadProjects();
    std::filesystem::remove(path);

    EXPECT_EQ(session.deleteEvent(0), ReminderSession::Result::SaveFailed);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(rowNotes(), Notes{"y"});
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find(path), std::string::npos);
    EXPECT_FALSE(session.saveProject(5));
}

TEST_F(SessionTest, EditCopiesEveryFieldAndRefreshesTheDueMoment) {
    const std::string path = project("a.av", {{{reminderAt(at(2020, 1, 1), "old")}}});
    session.reloadProjects();
    ASSERT_EQ(session.firstDueIndex(toInstant(at(2025, 1, 1))), 0);

    CReminder values = reminderAt(at(2030, 2, 3, 9, 30), "new notes", true);
    values.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatOn);
    values.repeatOnNumber = 3;
    values.repeatOnAnchor = static_cast<std::int32_t>(RepeatOnAnchor::EndOf);
    values.repeatOnUnit = static_cast<std::int32_t>(PeriodUnit::Year);
    values.repeatEachCount = 9;
    ASSERT_EQ(session.editEvent(0, values), ReminderSession::Result::Done);

    EXPECT_EQ(session.firstDueIndex(toInstant(at(2025, 1, 1))), -1);
    const auto stored = remindersInFile(path);
    ASSERT_EQ(stored.size(), 1u);
    expectSameSettings(stored.front(), values);
}

TEST_F(SessionTest, NewGoesToTheFirstObjectOfTheFirstProjectOrIsRefused) {
    // A project whose hall has no object: refused, file untouched.
    const std::string empty = project("empty.av", {});
    session.reloadProjects();
    EXPECT_EQ(session.newEvent(reminderAt(at(2030, 1, 1), "n")), ReminderSession::Result::Refused);
    EXPECT_EQ(messages.errors.size(), 1u);
    EXPECT_TRUE(notesInFile(empty).empty());

    env.entries.clear();
    const std::string path = project("a.av", {{{reminderAt(at(2030, 1, 1), "first")}, {}}});
    project("b.av", {{{reminderAt(at(2030, 1, 1), "b")}}});
    session.reloadProjects();
    ASSERT_EQ(session.newEvent(reminderAt(at(2030, 6, 1), "added")), ReminderSession::Result::Done);
    EXPECT_EQ(notesInFile(path), (Notes{"first", "added"}));
    EXPECT_EQ(rowNotes(), (Notes{"first", "added", "b"}));
}

} // namespace
} // namespace ardenvo::test
