#include "model/FieldFile.h"
#include "model/CHouseObject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace ardenvo;

namespace {

const std::string kLocationFile("\x08Location\x01\x00\x00\x00\x00\x0CWhere bought\x00", 28);

std::vector<std::string> valuesOf(const CFieldList& list) {
    std::vector<std::string> values;
    for (const auto& f : list.entries())
        values.push_back(f->value.str());
    return values;
}

class FieldFileOnDisk : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/ardenvo-fieldfile-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string path(const char* name) const { return m_dir + "/" + name; }

    std::string m_dir;
};

} // namespace

TEST(FieldFile, LocationCategoryWithValuesIsExactlyThe28ByteFile) {
    CHouseObject object;
    const CFieldList& location = *object.categories()[0];
    EXPECT_EQ(writeFieldList(location), kLocationFile);

    CFieldList read;
    ASSERT_EQ(readFieldList(kLocationFile, read), FileError::None);
    EXPECT_EQ(read.title, "Location");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read.entryAt(0).name, "Where bought");
    EXPECT_EQ(read.entryAt(0).category, "");
    EXPECT_EQ(read.entryAt(0).value, "");
}

TEST(FieldFile, SavingWithoutValuesEmptiesThemInTheFileOnly) {
    CHouseObject object;
    CFieldList& guarantee = *object.categories()[2];
    guarantee.saveValues = 0;
    const std::string without = writeFieldList(guarantee);
    guarantee.saveValues = 1;
    const std::string with = writeFieldList(guarantee);

    CHouseObject other;
    CFieldList& added = other.addCategory();
    ASSERT_EQ(readFieldList(without, added), FileError::None);
    EXPECT_EQ(added.title, "Guarantee");
    EXPECT_EQ(valuesOf(added), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(added.entryAt(3).name, "Repair 2");

    ASSERT_EQ(readFieldList(with, added), FileError::None);
    EXPECT_EQ(valuesOf(added),
              (std::vector<std::string>{"yyyymmdd", "... months", "not yet", "not yet"}));
    // The category in memory kept its values all along.
    EXPECT_EQ(valuesOf(guarantee), valuesOf(added));
}

TEST(FieldFile, EmptyListKeepsItsTitle) {
    CFieldList empty("Tools");
    CFieldList read;
    read.append("old", "entry");
    ASSERT_EQ(readFieldList(writeFieldList(empty), read), FileError::None);
    EXPECT_EQ(read.title, "Tools");
    EXPECT_TRUE(read.empty());
}

TEST(FieldFile, DamagedFilesAreRefusedAndLeaveTheListAsItWas) {
    CFieldList list("Mine");
    list.append("keep", "me");
    std::vector<std::string> damaged;
    for (std::size_t n = 0; n < kLocationFile.size(); ++n)
        damaged.push_back(kLocationFile.substr(0, n));
    damaged.push_back(kLocationFile + "x");                    // something after the record
    damaged.push_back(std::string("\x00\xFF\xFF\xFF\x7F", 5)); // a huge entry count
    damaged.push_back(std::string("\x00\xFF\xFF\xFF\xFF", 5)); // a negative one
    damaged.push_back(std::string("\x01\x00\x00\x00\x02\x00\x00\x00", 8)); // a project header
    for (const auto& bytes : damaged) {
        EXPECT_EQ(readFieldList(bytes, list), FileError::UnexpectedFormat)
            << testing::PrintToString(bytes);
        EXPECT_EQ(list.title, "Mine");
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list.entryAt(0).value, "me");
    }
}

TEST_F(FieldFileOnDisk, WrittenFileReadsBackAndMissingFilesFailToOpen) {
    CHouseObject object;
    CFieldList& value = *object.categories()[1];
    value.entryAt(0).value = "12.50";
    ASSERT_EQ(writeFieldFile(path("value.fld"), value), FileError::None);
    CFieldList read;
    ASSERT_EQ(readFieldFile(path("value.fld"), read), FileError::None);
    EXPECT_EQ(read.title, "Value");
    EXPECT_EQ(valuesOf(read), (std::vector<std::string>{"12.50", ""}));

    EXPECT_EQ(readFieldFile(path("missing.fld"), read), FileError::OpenFailed);
    EXPECT_EQ(readFieldFile(m_dir, read), FileError::OpenFailed);
    std::ofstream(path("cut.fld"), std::ios::binary) << kLocationFile.substr(0, 20);
    EXPECT_EQ(readFieldFile(path("cut.fld"), read), FileError::UnexpectedFormat);
    EXPECT_EQ(read.title, "Value");
    EXPECT_EQ(writeFieldFile(path("no/such/folder.fld"), value), FileError::SaveFailed);
}
