#include "FileTestHouse.h"

#include "model/FieldFile.h"
#include "model/ProjectFile.h"
#include "platform/posix/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ardenvo;

namespace {

struct Sample {
    std::string name;
    std::string bytes;
};

// The shipped sample houses, and a house built here so that the test has something to chew on
// whatever the data folder holds.
std::vector<Sample> samples() {
    std::vector<Sample> all;
    const std::filesystem::path data = std::filesystem::path(ARDENVO_SOURCE_DIR) / "data";
    if (std::filesystem::is_directory(data)) {
        for (const auto& entry : std::filesystem::directory_iterator(data)) {
            if (entry.path().extension() != ".av")
                continue;
            Sample s{entry.path().filename().string(), {}};
            EXPECT_TRUE(readWholeFile(entry.path().string(), s.bytes, nullptr));
            all.push_back(std::move(s));
        }
    }
    auto house = test::makeFileTestHouse();
    // The built house without its 70 000-byte name, which would only slow the sweep down.
    house->currentSection()->name = "Attic";
    all.push_back({"built house", writeProject(*house)});
    return all;
}

// Loads the bytes; a failure must be one of the file errors and leave a new house behind.
void expectLoadsOrFailsCleanly(std::string_view bytes, const std::string& what) {
    CBrenvikaDoc doc;
    const FileError result = readProject(bytes, doc);
    if (result == FileError::None) {
        ASSERT_GE(doc.sectionCount(), 1) << what;
        ASSERT_NE(doc.currentSection(), nullptr) << what;
        ASSERT_GE(doc.unitIndex(), 0) << what;
        ASSERT_LE(doc.unitIndex(), 4) << what;
        // What loaded also saves.
        EXPECT_FALSE(writeProject(doc).empty());
        return;
    }
    ASSERT_TRUE(result == FileError::UnexpectedFormat || result == FileError::WrongVersion) << what;
    ASSERT_EQ(doc.sectionCount(), 1) << what;
    ASSERT_EQ(doc.currentSection()->name, "House") << what;
}

} // namespace

TEST(SampleProjectFiles, LoadAndSaveUnchanged) {
    for (const auto& s : samples()) {
        CBrenvikaDoc doc;
        ASSERT_EQ(readProject(s.bytes, doc), FileError::None) << s.name;
        EXPECT_EQ(writeProject(doc), s.bytes) << s.name;
    }
}

TEST(SampleProjectFiles, EveryTruncationFailsCleanly) {
    for (const auto& s : samples()) {
        for (std::size_t length = 0; length < s.bytes.size(); ++length) {
            CBrenvikaDoc doc;
            ASSERT_EQ(readProject(std::string_view(s.bytes).substr(0, length), doc),
                      FileError::UnexpectedFormat)
                << s.name << " cut at " << length;
        }
    }
}

TEST(SampleProjectFiles, EverySingleByteChangeLoadsOrFailsCleanly) {
    for (const auto& s : samples()) {
        // Every byte of small files; an even spread of about 2 000 positions of larger ones.
        const std::size_t step = std::max<std::size_t>(1, s.bytes.size() / 2000);
        std::string bytes = s.bytes;
        for (std::size_t i = 0; i < bytes.size(); i += step) {
            const char original = bytes[i];
            for (const unsigned char value : {0x00, 0x01, 0x80, 0xFF}) {
                bytes[i] = static_cast<char>(value);
                expectLoadsOrFailsCleanly(bytes, s.name + " at " + std::to_string(i));
                if (testing::Test::HasFatalFailure())
                    return;
            }
            bytes[i] = static_cast<char>(original ^ 0x55);
            expectLoadsOrFailsCleanly(bytes, s.name + " at " + std::to_string(i));
            bytes[i] = original;
        }
    }
}

TEST(SampleProjectFiles, FieldListsCutOrChangedFailCleanly) {
    CHouseObject object;
    const std::string bytes = writeFieldList(*object.categories()[2]);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CFieldList list;
        EXPECT_EQ(readFieldList(bytes.substr(0, length), list), FileError::UnexpectedFormat);
    }
    std::string changed = bytes;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        for (const unsigned char value : {0x00, 0x7F, 0xFE, 0xFF}) {
            const char original = changed[i];
            changed[i] = static_cast<char>(value);
            CFieldList list;
            const FileError result = readFieldList(changed, list);
            EXPECT_TRUE(result == FileError::None || result == FileError::UnexpectedFormat);
            changed[i] = original;
        }
    }
}
