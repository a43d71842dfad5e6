#include "FileTestHouse.h"

#include "model/LocalTime.h"
#include "model/ProjectFile.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

using namespace ardenvo;

namespace {

std::string fromHex(const char* hex) {
    std::string out;
    for (const char* p = hex; *p;) {
        if (*p == ' ' || *p == '\n') {
            ++p;
            continue;
        }
        out.push_back(static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16)));
        p += 2;
    }
    return out;
}

void putInt32(std::string& bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

std::int32_t int32At(const std::string& bytes, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

// Records every hint the document sends while it is read.
struct HintLog {
    explicit HintLog(CBrenvikaDoc& doc) {
        doc.addViewListener([this](ViewHint h, int id) { hints.push_back(encodeViewHint(h, id)); });
    }
    std::vector<long long> hints;
};

bool isNewHouse(const CBrenvikaDoc& doc) {
    return doc.sectionCount() == 1 && doc.currentSection() == doc.sectionAt(0) &&
           doc.sectionAt(0)->name == "House" && doc.sectionAt(0)->blocks().size() == 1 &&
           doc.unitIndex() == 0;
}

const char* kNewHouse = "01 00 00 00 02 00 00 00 01 00 00 00 00 00 00 00"
                        "00 78 3C 00 01 00 00 00 01 00 00 00 01 00 00 00"
                        "00 00 00 00 01 00 00 00 01 00 00 00 00 00 00 00"
                        "00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00"
                        "00 00 00 00 00 01 00 00 00 00 00 00 00 00 00 00"
                        "00 01 00 00 00 00 00 00 00 00 00 00 00 01 00 00"
                        "00 DA DA DA 00 64 00 00 00 64 00 00 00 FA 00 00"
                        "00 FA 00 00 00 0A 49 27 6D 20 61 20 68 61 6C 6C"
                        "00 00 00 00 00 00 F0 3F 00 00 00 00 00 00 00 00"
                        "02 00 00 00 05 48 6F 75 73 65 00 00 00 00";

} // namespace

TEST(ProjectFile, NewHouseIsExactlyThe158ByteFileAndReadsBack) {
    CBrenvikaDoc doc;
    const std::string expected = fromHex(kNewHouse);
    ASSERT_EQ(expected.size(), 158u);
    EXPECT_EQ(writeProject(doc), expected);

    CBrenvikaDoc read;
    HintLog log(read);
    ASSERT_EQ(readProject(expected, read), FileError::None);
    EXPECT_TRUE(isNewHouse(read));
    EXPECT_EQ(writeProject(read), expected);
    // The reset to a new house, then the loaded house.
    EXPECT_EQ(log.hints, (std::vector<long long>{1, 258, 1, 258}));
}

TEST(ProjectFile, EveryRecordSurvivesARoundTrip) {
    const auto doc = test::makeFileTestHouse();
    const std::string bytes = writeProject(*doc);

    CBrenvikaDoc read;
    ASSERT_EQ(readProject(bytes, read), FileError::None);
    EXPECT_EQ(writeProject(read), bytes);

    ASSERT_EQ(read.sectionCount(), 3);
    EXPECT_EQ(read.currentSection(), read.sectionAt(2));
    EXPECT_EQ(read.currentSection()->name, std::string(70000, 'a'));
    EXPECT_EQ(read.unitIndex(), 3);

    const CSection& house = *read.sectionAt(0);
    EXPECT_EQ(house.zoom, 0.375);
    const CBlock& room = *house.blocks()[1];
    EXPECT_EQ(room.changed, 0);
    EXPECT_EQ(room.neighbours[West], 1);
    EXPECT_EQ(room.alignments[North], (SideAlignment{0, -7}));
    EXPECT_EQ(room.rect(), (Rect{250, 100, 650, 500}));

    // Names come back as stored, even equal ones, with floor indexes by position.
    ASSERT_EQ(room.floorObjects().size(), 3u);
    EXPECT_EQ(room.floorObjects()[1]->name, "Chair");
    EXPECT_EQ(room.floorObjects()[2]->name, "Chair");
    EXPECT_EQ(room.floorObjects()[2]->floorIndex, 2);

    const CHouseObject& sofa = *room.floorObjects()[0];
    EXPECT_EQ(sofa.notes, std::string(300, 'n'));
    EXPECT_EQ(sofa.location.rect, (Rect{5, 6, 120, 80}));
    ASSERT_EQ(sofa.categories().size(), 3u);
    EXPECT_EQ(sofa.categories()[1]->entryAt(0).value, "1299.00");
    // Written with values although the category was last saved to a field file without them.
    EXPECT_EQ(sofa.categories()[2]->entryAt(0).value, "yyyymmdd");
    const CHouseObject& cushion = *sofa.children(NestPosition::OnTop).at(0);
    EXPECT_EQ(cushion.name, "Cushion");
    EXPECT_EQ(cushion.children(NestPosition::Under).at(0)->name, "Coin");
    const CHouseObject& cat = *sofa.children(NestPosition::Inside).at(0);
    EXPECT_EQ(cat.categories().at(0)->entryAt(0).category, "Category: Category");

    ASSERT_EQ(sofa.reminders().size(), 2u);
    const CReminder& single = *sofa.reminders()[0];
    EXPECT_EQ(single.start(), (LocalDateTime{2031, 3, 14, 9, 30, 0}));
    EXPECT_FALSE(single.isPeriodical());
    const CReminder& periodic = *sofa.reminders()[1];
    // A date after January 2038 survives the 32-bit time field.
    EXPECT_EQ(periodic.start(), (LocalDateTime{2044, 11, 2, 18, 5, 7}));
    EXPECT_EQ(periodic.type, 1);
    EXPECT_EQ(periodic.periodicMode, 1);
    EXPECT_EQ(periodic.repeatEachCount, 3);
    EXPECT_EQ(periodic.repeatEachUnit, 1);
    EXPECT_EQ(periodic.repeatOnNumber, 5);
    EXPECT_EQ(periodic.repeatOnAnchor, 1);
    EXPECT_EQ(periodic.repeatOnUnit, 3);
}

TEST(ProjectFile, ThirdSectionCurrentIsStoredAsTwoAndShownAfterOpening) {
    const auto doc = test::makeFileTestHouse();
    const std::string bytes = writeProject(*doc);
    EXPECT_EQ(int32At(bytes, 8), 3);
    EXPECT_EQ(int32At(bytes, 12), 2);

    CBrenvikaDoc read;
    HintLog log(read);
    ASSERT_EQ(readProject(bytes, read), FileError::None);
    EXPECT_EQ(read.currentSection(), read.sectionAt(2));
    // Views hear Reset and the blocks of the shown section only.
    EXPECT_EQ(log.hints, (std::vector<long long>{1, 258, 1, 258}));
    EXPECT_EQ(read.currentSection()->blocks().front()->name, "Loft");
}

TEST(ProjectFile, CurrentSectionIndexOutsideTheListOpensTheFirstSection) {
    std::string bytes = writeProject(*test::makeFileTestHouse());
    for (std::int32_t index : {3, -1, 1000}) {
        putInt32(bytes, 12, index);
        CBrenvikaDoc read;
        ASSERT_EQ(readProject(bytes, read), FileError::None) << index;
        EXPECT_EQ(read.currentSection(), read.sectionAt(0)) << index;
    }
}

TEST(ProjectFile, HeaderIsAcceptedWhenEitherTheFormatOrTheVersionMatches) {
    std::string bytes = fromHex(kNewHouse);
    struct Case {
        std::int32_t format, version;
        FileError result;
    };
    for (const Case c :
         {Case{1, 7, FileError::None}, Case{9, 2, FileError::None},
          Case{9, 7, FileError::WrongVersion}, Case{0, 0, FileError::WrongVersion}}) {
        putInt32(bytes, 0, c.format);
        putInt32(bytes, 4, c.version);
        CBrenvikaDoc read;
        read.sectionAt(0)->name = "changed";
        read.setUnitIndex(2);
        EXPECT_EQ(readProject(bytes, read), c.result) << c.format << "," << c.version;
        EXPECT_TRUE(isNewHouse(read));
        EXPECT_TRUE(read.pathName().empty());
    }
    EXPECT_STREQ(fileErrorMessage(FileError::WrongVersion), "Wrong version of Ardenvo project");
    EXPECT_STREQ(fileErrorMessage(FileError::UnexpectedFormat), "Unexpected file format.");
    EXPECT_STREQ(fileErrorMessage(FileError::OpenFailed), "Failed to open document.");
    EXPECT_STREQ(fileErrorMessage(FileError::SaveFailed), "Failed to save document.");
    EXPECT_STREQ(fileErrorMessage(FileError::None), "");
}

TEST(ProjectFile, BlockKindAndUnitOutsideTheirRangesAreRejected) {
    const std::string good = fromHex(kNewHouse);
    const std::size_t kindInFront = 24, kindInRecord = 40, unit = 154;
    ASSERT_EQ(int32At(good, kindInFront), 1);
    ASSERT_EQ(int32At(good, kindInRecord), 1);
    struct Case {
        std::size_t offset;
        std::int32_t value;
        FileError result;
    };
    for (const Case c :
         {Case{kindInFront, 3, FileError::UnexpectedFormat},
          Case{kindInFront, 0, FileError::UnexpectedFormat},
          Case{kindInRecord, 2, FileError::UnexpectedFormat},
          Case{unit, 5, FileError::UnexpectedFormat}, Case{unit, -1, FileError::UnexpectedFormat},
          Case{unit, 4, FileError::None}}) {
        std::string bytes = good;
        putInt32(bytes, c.offset, c.value);
        CBrenvikaDoc read;
        EXPECT_EQ(readProject(bytes, read), c.result) << c.offset << "=" << c.value;
        if (c.result != FileError::None) {
            EXPECT_TRUE(isNewHouse(read));
        }
    }
    // A room announced and stored as a room is fine; only mismatches and unknown kinds fail.
    std::string room = good;
    putInt32(room, kindInFront, 2);
    putInt32(room, kindInRecord, 2);
    CBrenvikaDoc read;
    ASSERT_EQ(readProject(room, read), FileError::None);
    EXPECT_EQ(read.currentSection()->blocks().front()->kind(), BlockKind::Room);
}

TEST(ProjectFile, PeriodicModeIsTakenFromItsSecondCopy) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    auto object = std::make_unique<CHouseObject>();
    auto reminder = std::make_unique<CReminder>(LocalDateTime{2030, 1, 1, 0, 0, 0});
    reminder->notes = "MARK";
    object->addReminder(std::move(reminder));
    doc->currentSection()->blocks().front()->addFloorObject(std::move(object));
    std::string bytes = writeProject(*doc);
    const std::size_t mark = bytes.find("\x04MARK");
    ASSERT_NE(mark, std::string::npos);
    const std::size_t first = mark + 5, second = first + 4;

    auto modeAfterLoad = [](const std::string& data) {
        CBrenvikaDoc read;
        EXPECT_EQ(readProject(data, read), FileError::None);
        return read.currentSection()
            ->blocks()
            .front()
            ->floorObjects()
            .at(0)
            ->reminders()
            .at(0)
            ->periodicMode;
    };
    putInt32(bytes, first, 1);
    EXPECT_EQ(modeAfterLoad(bytes), 0);
    putInt32(bytes, second, 1);
    putInt32(bytes, first, 0);
    EXPECT_EQ(modeAfterLoad(bytes), 1);
    // Values no editor produces are kept as they stand.
    putInt32(bytes, second, 77);
    EXPECT_EQ(modeAfterLoad(bytes), 77);
}

TEST(ProjectFile, TimeFieldIsAnUnsignedCountFrom1970To2106) {
    auto startAfterRoundTrip = [](const LocalDateTime& start, std::uint32_t* stored) {
        CBrenvikaDoc doc;
        auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        auto reminder = std::make_unique<CReminder>(start);
        reminder->notes = "T";
        object->addReminder(std::move(reminder));
        doc.currentSection()->blocks().front()->addFloorObject(std::move(object));
        const std::string bytes = writeProject(doc);
        const std::size_t time = bytes.find("\x01T") - 4;
        std::memcpy(stored, bytes.data() + time, 4);
        CBrenvikaDoc read;
        EXPECT_EQ(readProject(bytes, read), FileError::None);
        return read.currentSection()
            ->blocks()
            .front()
            ->floorObjects()
            .at(0)
            ->reminders()
            .at(0)
            ->start();
    };
    std::uint32_t stored = 0;
    const LocalDateTime late{2100, 6, 15, 12, 0, 0};
    EXPECT_EQ(startAfterRoundTrip(late, &stored), late);
    EXPECT_GT(stored, 0x80000000u);

    EXPECT_EQ(startAfterRoundTrip({1969, 12, 31, 12, 0, 0}, &stored), fromInstant(0));
    EXPECT_EQ(stored, 0u);
    EXPECT_EQ(startAfterRoundTrip({1850, 5, 5, 5, 5, 5}, &stored), fromInstant(0));
    EXPECT_EQ(stored, 0u);
    startAfterRoundTrip({2200, 1, 1, 0, 0, 0}, &stored);
    EXPECT_EQ(stored, std::numeric_limits<std::uint32_t>::max());

    // Files written so far hold dates up to 2038; they read as before.
    const LocalDateTime old{2001, 9, 8, 7, 6, 5};
    EXPECT_EQ(startAfterRoundTrip(old, &stored), old);
    EXPECT_EQ(stored, static_cast<std::uint32_t>(toInstant(old)));
}

TEST(ProjectFile, TrailingBytesOfAFileRewrittenShorterAreIgnored) {
    const std::string bytes = writeProject(*test::makeFileTestHouse()) + std::string(500, '\x7F');
    CBrenvikaDoc read;
    ASSERT_EQ(readProject(bytes, read), FileError::None);
    EXPECT_EQ(read.sectionCount(), 3);
}

TEST(ProjectFile, HostileCountsLengthsAndNestingAreRefusedQuickly) {
    const std::string good = fromHex(kNewHouse);
    struct Case {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    // Each count and the name's length, set to something the remaining bytes cannot hold.
    for (const Case c : {Case{"sections", 8, 0x7FFFFFFF}, Case{"no sections", 8, 0},
                         Case{"negative sections", 8, -5}, Case{"blocks", 20, 0x7FFFFFFF},
                         Case{"no blocks", 20, 0}, Case{"floor objects", 32, 0x10000000},
                         Case{"pictures", 45, 0x7FFFFFFF}}) {
        std::string bytes = good;
        putInt32(bytes, c.offset, c.value);
        CBrenvikaDoc read;
        EXPECT_EQ(readProject(bytes, read), FileError::UnexpectedFormat) << c.what;
        EXPECT_TRUE(isNewHouse(read)) << c.what;
    }
    std::string longName = good;
    longName[117] = static_cast<char>(0xFF);
    longName.insert(118, "\xFF\xFF\xFF\xFF\xFF\x7F");
    CBrenvikaDoc read;
    EXPECT_EQ(readProject(longName, read), FileError::UnexpectedFormat);
    EXPECT_EQ(readProject("", read), FileError::UnexpectedFormat);
    EXPECT_EQ(readProject(good.substr(0, 6), read), FileError::UnexpectedFormat);
}

TEST(ProjectFile, AHouseTakingMoreThanSixteenTimesItsSizeInMemoryIsRefused) {
    // One object whose category holds `count` attributes named `name`.
    auto houseOfAttributes = [](std::size_t count, const std::string& name) {
        auto doc = std::make_unique<CBrenvikaDoc>();
        auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        auto category = std::make_unique<CFieldList>();
        for (std::size_t i = 0; i < count; ++i) {
            auto field = std::make_unique<CField>();
            field->name = name;
            category->append(std::move(field));
        }
        object->appendCategory(std::move(category));
        doc->currentSection()->blocks().front()->addFloorObject(std::move(object));
        return writeProject(*doc);
    };
    CBrenvikaDoc read;
    // Empty attributes: 3 bytes each in the file, fifty times that once read.
    EXPECT_EQ(readProject(houseOfAttributes(300000, ""), read), FileError::UnexpectedFormat);
    EXPECT_TRUE(isNewHouse(read));
    // The same number with names of their own costs about as much in memory as in the file.
    EXPECT_EQ(readProject(houseOfAttributes(300000, std::string(40, 'n')), read), FileError::None);
    // Small houses are never held to sixteen times their few bytes.
    EXPECT_EQ(readProject(houseOfAttributes(2000, ""), read), FileError::None);

    // A file beyond the size every program accepts is refused before it is read.
    const std::string huge = std::filesystem::temp_directory_path() /
                             ("ardenvo-huge-" + std::to_string(::getpid()) + ".av");
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, kMaxProjectFileBytes + 1); // sparse: costs no disk
    EXPECT_EQ(loadProject(huge, read), FileError::UnexpectedFormat);
    std::filesystem::remove(huge);
}

TEST(ProjectFile, NestingIsReadUpToTheLimitAndRefusedBeyondIt) {
    auto houseNested = [](int depth) {
        auto doc = std::make_unique<CBrenvikaDoc>();
        auto root = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        CHouseObject* deepest = root.get();
        for (int level = 1; level < depth; ++level) {
            auto child = std::make_unique<CHouseObject>(CHouseObject::Bare{});
            CHouseObject* next = child.get();
            deepest->appendChildAsStored(static_cast<NestPosition>(level % 3), std::move(child));
            deepest = next;
        }
        doc->currentSection()->blocks().front()->addFloorObject(std::move(root));
        return writeProject(*doc);
    };
    CBrenvikaDoc read;
    EXPECT_EQ(readProject(houseNested(kMaxObjectNesting), read), FileError::None);
    EXPECT_EQ(readProject(houseNested(kMaxObjectNesting + 1), read), FileError::UnexpectedFormat);
    EXPECT_TRUE(isNewHouse(read));
}

TEST(ProjectFile, AReminderKeepsTheStoredSecondOfAnHourThatCameTwice) {
    const test::ZoneGuard zone("Europe/Berlin");
    CBrenvikaDoc doc;
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    auto reminder = std::make_unique<CReminder>(LocalDateTime{2023, 10, 29, 2, 30, 0});
    reminder->notes = "T";
    object->addReminder(std::move(reminder));
    doc.currentSection()->blocks().front()->addFloorObject(std::move(object));
    std::string bytes = writeProject(doc);
    const std::size_t time = bytes.find("\x01T") - 4;
    // 02:30 in Berlin on 29 October 2023, first in summer time and an hour later in winter time:
    // the local time alone cannot tell them apart, the file's second can.
    for (const std::uint32_t second : {1698539400u, 1698543000u}) {
        putInt32(bytes, time, static_cast<std::int32_t>(second));
        CBrenvikaDoc read;
        ASSERT_EQ(readProject(bytes, read), FileError::None);
        const CReminder& r =
            *read.currentSection()->blocks().front()->floorObjects().at(0)->reminders().at(0);
        EXPECT_EQ(r.startInstant(), second);
        EXPECT_EQ(r.start(), (LocalDateTime{2023, 10, 29, 2, 30, 0}));
        EXPECT_EQ(writeProject(read), bytes);
    }
}
