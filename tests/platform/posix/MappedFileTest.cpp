#include "platform/posix/MappedFile.h"
#include "model/FileTestHouse.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ardenvo;

namespace {

struct MappedFileTest : ::testing::Test {
    std::string dir =
        (std::filesystem::temp_directory_path() / ("ardenvo-mapped-" + std::to_string(::getpid())))
            .string();
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string put(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

// Every byte of the mapping, as a reader touches them.
std::size_t nonZeroBytes(std::string_view bytes) {
    std::size_t n = 0;
    for (char c : bytes)
        n += c != 0;
    return n;
}

TEST_F(MappedFileTest, AHouseReadThroughTheMappingIsTheOneReadFromItsBytes) {
    const std::string bytes = writeProject(*test::makeFileTestHouse());
    MappedFile file;
    ASSERT_TRUE(file.open(put("house.av", bytes)));
    EXPECT_EQ(file.bytes(), bytes);
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(file.bytes(), doc), FileError::None);
    EXPECT_TRUE(file.intact());
    EXPECT_EQ(writeProject(doc), bytes);

    // An empty file maps to no bytes, which the reader rejects as it rejects empty bytes.
    ASSERT_TRUE(file.open(put("empty.av", "")));
    EXPECT_TRUE(file.bytes().empty());
    EXPECT_TRUE(file.intact());
    CBrenvikaDoc fromEmpty;
    EXPECT_EQ(readProject(file.bytes(), fromEmpty), readProject("", doc));
}

TEST_F(MappedFileTest, PagesLetGoBehindTheReaderReadAsTheFileStill) {
    CBrenvikaDoc large;
    for (int i = 0; i < 6000; ++i)
        large.currentSection()->blocks().front()->appendFloorObjectAsStored(
            std::make_unique<CHouseObject>());
    const std::string bytes = writeProject(large);
    ASSERT_GT(bytes.size(), 4 * kConsumedStep);
    MappedFile file;
    ASSERT_TRUE(file.open(put("house.av", bytes)));
    // The reader tells how far it got now and then, never going back; the pages let go come back
    // from the file when read again.
    std::vector<std::size_t> told;
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(file.bytes(), doc,
                          [&](std::size_t consumed) {
                              told.push_back(consumed);
                              file.release(consumed);
                          }),
              FileError::None);
    ASSERT_GE(told.size(), 3u);
    for (std::size_t i = 1; i < told.size(); ++i)
        EXPECT_GE(told[i], told[i - 1] + kConsumedStep);
    EXPECT_LE(told.back(), bytes.size());
    file.release(bytes.size() + 4096);
    EXPECT_EQ(file.bytes(), bytes);
    EXPECT_TRUE(file.intact());
    EXPECT_EQ(writeProject(doc), bytes);
}

TEST_F(MappedFileTest, WhatCannotBeMappedSaysWhy) {
    MappedFile file;
    int error = 0;
    EXPECT_FALSE(file.open(dir + "/missing.av", UINT64_MAX, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(file.open(dir, UINT64_MAX, &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(file.open(put("big.av", std::string(100, 'x')), 99, &error));
    EXPECT_EQ(error, EFBIG);
    EXPECT_TRUE(file.bytes().empty());
}

TEST_F(MappedFileTest, AFileCutShortWhileMappedReadsAsZerosAndIsNotIntact) {
    const long page = ::sysconf(_SC_PAGESIZE);
    const std::string path =
        put("shrinks.av", std::string(static_cast<std::size_t>(4 * page), 'x'));
    MappedFile file;
    ASSERT_TRUE(file.open(path));
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(page + 10));
    EXPECT_EQ(file.bytes().size(), static_cast<std::size_t>(4 * page));
    // No SIGBUS: the bytes the file still has, zeros for the rest.
    EXPECT_EQ(nonZeroBytes(file.bytes()), static_cast<std::size_t>(page + 10));
    EXPECT_FALSE(file.intact());

    // A cut within the last page raises no fault at all; the changed size still tells.
    ASSERT_TRUE(file.open(put("short.av", std::string(100, 'x'))));
    std::filesystem::resize_file(dir + "/short.av", 50);
    EXPECT_EQ(nonZeroBytes(file.bytes()), 50u);
    EXPECT_FALSE(file.intact());

    // A later mapping of the same slot starts intact again.
    ASSERT_TRUE(file.open(put("whole.av", "whole")));
    EXPECT_EQ(file.bytes(), "whole");
    EXPECT_TRUE(file.intact());
}

TEST_F(MappedFileTest, ABusErrorOutsideEveryMappingStillEndsTheProgram) {
    const long page = ::sysconf(_SC_PAGESIZE);
    const std::string path = put("other.bin", std::string(static_cast<std::size_t>(2 * page), 'x'));
    MappedFile watched; // installs the handler
    ASSERT_TRUE(watched.open(put("watched.av", "house")));
    EXPECT_EXIT(
        {
            const int fd = ::open(path.c_str(), O_RDONLY);
            auto* raw = static_cast<volatile char*>(
                ::mmap(nullptr, static_cast<std::size_t>(2 * page), PROT_READ, MAP_PRIVATE, fd, 0));
            std::filesystem::resize_file(path, 0);
            std::_Exit(raw[page] == 'x' ? 3 : 4);
        },
        [](int status) {
            // Killed by the signal, or reported and ended by the handler that was there before
            // (a sanitizer's); never read on as though the bytes were there.
            return (WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS) ||
                   (WIFEXITED(status) && WEXITSTATUS(status) != 3 && WEXITSTATUS(status) != 4);
        },
        "");
}

} // namespace
