#include "archive/HouseArchive.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>

namespace ardenvo {
namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "ardenvo-archive-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// A house whose hall shows a window, whose sofa has a photo, a photo that is gone and a receipt.
std::unique_ptr<CBrenvikaDoc> makeHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->newHouse();
    CBlock& hall = *doc->currentSection()->blocks()[0];
    hall.pictures.append("Window", "window.jpg");
    auto sofa = std::make_unique<CHouseObject>();
    sofa->name = "Sofa";
    sofa->pictures.append("Front", "sofa.png");
    sofa->pictures.append("Back", "gone.jpg");
    sofa->pictures.append("Again", "window.jpg");
    CFieldList& documents = sofa->addCategory();
    documents.title = "Documents";
    documents.append("Receipt", "receipt.pdf");
    hall.addFloorObject(std::move(sofa));
    return doc;
}

std::string entryOf(const std::string& zipPath, const std::string& name) {
    int code = 0;
    zip_t* archive = zip_open(zipPath.c_str(), ZIP_RDONLY, &code);
    if (!archive)
        return "(no archive)";
    std::string bytes;
    if (zip_file_t* file = zip_fopen(archive, name.c_str(), 0)) {
        char buffer[4096];
        zip_int64_t n;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        zip_fclose(file);
    } else {
        bytes = "(no entry)";
    }
    zip_discard(archive);
    return bytes;
}

TEST(HouseArchive, RoundTripGivesTheSameHouseAndPicturesAndKeepsOtherFilesOfTheSameName) {
    Scratch dir;
    const HouseFolders mine{dir.file("data/Images"), dir.file("data/Documents")};
    const std::string window = randomBytes(70000, 1), sofa = randomBytes(5000, 2),
                      receipt = "%PDF-1.4 receipt";
    writeFile(mine.images + "/window.jpg", window);
    writeFile(mine.images + "/sofa.png", sofa);
    writeFile(mine.documents + "/receipt.pdf", receipt);
    const auto house = makeHouse();
    const std::string bytes = writeProject(*house);
    const std::string zip = dir.file("out/house.zip");
    fs::create_directories(dir.file("out"));

    const ArchiveExport exported = exportHouseArchive(bytes, *house, "My house.av", mine, zip);
    ASSERT_TRUE(exported.ok) << exported.error;
    EXPECT_EQ(exported.pictures, 2);
    EXPECT_EQ(exported.documents, 1);
    ASSERT_EQ(exported.missing.size(), 1u);
    EXPECT_EQ(exported.missing[0], "Images/gone.jpg: No such file or directory");
    const std::string index = entryOf(zip, "index.txt");
    EXPECT_NE(
        index.find("House: My house.av (" + std::to_string(bytes.size()) + " bytes, 1 objects)"),
        std::string::npos)
        << index;
    EXPECT_NE(index.find("missing\tImages/gone.jpg\tNo such file or directory"), std::string::npos);
    EXPECT_NE(index.find("ok\tImages/window.jpg\t70000 bytes"), std::string::npos);
    EXPECT_EQ(fs::directory_iterator(dir.file("out"))->path().filename(), "house.zip");

    // On an empty data folder: the same bytes everywhere.
    const HouseFolders fresh{dir.file("new/Images"), dir.file("new/Documents")};
    const ArchiveImport imported = importHouseArchive(zip, fresh);
    ASSERT_TRUE(imported.ok) << imported.error;
    EXPECT_EQ(imported.houseName, "My house.av");
    EXPECT_EQ(imported.house, bytes);
    EXPECT_EQ(readFile(fresh.images + "/window.jpg"), window);
    EXPECT_EQ(readFile(fresh.images + "/sofa.png"), sofa);
    EXPECT_EQ(readFile(fresh.documents + "/receipt.pdf"), receipt);
    EXPECT_TRUE(imported.skipped.empty());

    // Into a folder that has another window.jpg and the same sofa.png: the window is kept
    // beside it, the house names the new file, the sofa is used as it is.
    writeFile(fresh.images + "/window.jpg", "someone else's window");
    const ArchiveImport again = importHouseArchive(zip, fresh);
    ASSERT_TRUE(again.ok) << again.error;
    ASSERT_EQ(again.renamed.size(), 1u);
    EXPECT_EQ(again.renamed[0],
              (std::pair<std::string, std::string>{"Images/window.jpg", "window 2.jpg"}));
    EXPECT_EQ(readFile(fresh.images + "/window.jpg"), "someone else's window");
    EXPECT_EQ(readFile(fresh.images + "/window 2.jpg"), window);
    CBrenvikaDoc reopened;
    ASSERT_EQ(readProject(again.house, reopened), FileError::None);
    const CBlock& hall = *reopened.currentSection()->blocks()[0];
    EXPECT_EQ(hall.pictures.entryAt(0).value.str(), "window 2.jpg");
    const CHouseObject& sofaObject = *hall.floorObjects()[0];
    EXPECT_EQ(sofaObject.pictures.entryAt(0).value.str(), "sofa.png");
    EXPECT_EQ(sofaObject.pictures.entryAt(2).value.str(), "window 2.jpg");
    EXPECT_EQ(std::distance(fs::directory_iterator(fresh.images), {}), 3);
}

// Sets the size an entry says it holds, in both of its headers.
void claimSize(const std::string& zipPath, const std::string& name, std::uint32_t size) {
    std::string bytes = readFile(zipPath);
    auto put = [&](std::size_t at) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    };
    for (std::size_t at = bytes.find(name); at != std::string::npos;
         at = bytes.find(name, at + 1)) {
        if (at >= 30 && bytes.compare(at - 30, 4, "PK\x03\x04") == 0)
            put(at - 30 + 22);
        if (at >= 46 && bytes.compare(at - 46, 4, "PK\x01\x02") == 0)
            put(at - 46 + 24);
    }
    writeFile(zipPath, bytes);
}

TEST(HouseArchive, HostileEntriesAreSkippedWithTheReasonAndNothingLandsOutside) {
    Scratch dir;
    const auto house = makeHouse();
    const std::string bytes = writeProject(*house);
    const std::string zip = dir.file("hostile.zip");
    const std::string zeros(2 << 20, '\0'), pattern = std::string(200000, 'a');
    {
        int code = 0;
        zip_t* archive = zip_open(zip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        ASSERT_TRUE(archive);
        // libzip reads the sources only at zip_close, so their bytes must live until then.
        std::deque<std::string> kept;
        auto add = [&](const std::string& name, const std::string& content) {
            const std::string& held = kept.emplace_back(content);
            zip_source_t* source = zip_source_buffer(archive, held.data(), held.size(), 0);
            return zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        };
        add("house.av", bytes);
        add("../x.jpg", "up");
        add("/tmp/abs.jpg", "absolute");
        add("Images/../../y.jpg", "up again");
        add("Images/a\\b.jpg", "backslash");
        add("notes/readme.txt", "other");
        const zip_int64_t link = add("Images/link.jpg", "/etc/passwd");
        zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(link), 0,
                                         ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
        add("Images/huge.jpg", "four gigabytes, it says");
        add("Images/bomb.bmp", zeros);
        add("Documents/liar.pdf", pattern);
        add("Images/sub/ok.jpg", "fine");
        ASSERT_EQ(zip_close(archive), 0);
    }
    claimSize(zip, "Images/huge.jpg", 0xFFFFFFFEu);
    claimSize(zip, "Images/bomb.bmp", 1000);
    claimSize(zip, "Documents/liar.pdf", 150000);

    const HouseFolders target{dir.file("data/Images"), dir.file("data/Documents")};
    const ArchiveImport imported = importHouseArchive(zip, target);
    ASSERT_TRUE(imported.ok) << imported.error;
    const std::vector<std::string> expected = {
        "../x.jpg: a path that leads outside the folder",
        "/tmp/abs.jpg: an absolute path",
        "Images/../../y.jpg: a path that leads outside the folder",
        "Images/a\\b.jpg: a name with a backslash",
        "notes/readme.txt: not part of a house archive",
        "Images/link.jpg: a link",
        "Images/huge.jpg: too large (4294967294 bytes; at most 1073741824)",
        "Images/bomb.bmp: larger than it says (a damaged or crafted archive)",
        "Documents/liar.pdf: larger than it says (a damaged or crafted archive)"};
    EXPECT_EQ(imported.skipped, expected);
    // Only the one good picture, in the folder itself.
    EXPECT_EQ(imported.pictures, 1);
    EXPECT_EQ(readFile(target.images + "/ok.jpg"), "fine");
    std::vector<std::string> everything;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path))
        everything.push_back(fs::relative(entry.path(), dir.path).string());
    std::sort(everything.begin(), everything.end());
    EXPECT_EQ(everything, (std::vector<std::string>{"data", "data/Documents", "data/Images",
                                                    "data/Images/ok.jpg", "hostile.zip"}));
    EXPECT_FALSE(fs::exists("/tmp/abs.jpg") && readFile("/tmp/abs.jpg") == "absolute");

    // Not an archive, or one without a house: refused as a whole.
    writeFile(dir.file("plain.zip"), "not a zip at all");
    EXPECT_FALSE(importHouseArchive(dir.file("plain.zip"), target).ok);
}

} // namespace
} // namespace ardenvo
