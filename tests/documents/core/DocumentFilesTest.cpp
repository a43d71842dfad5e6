// The Documents folder without Qt: bringing files in without replacing any, names that lead
// outside, what a file is and whether it can be read, and an object's "Documents" category as the
// panel's state shows it.
#include "documents/core/DocumentFiles.h"
#include "catalogue/fields/core/CategoryPanelState.h"
#include "documents/core/ObjectDocuments.h"
#include "model/CHouseObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace ardenvo;
namespace fs = std::filesystem;

namespace {

class DocumentsFolder : public testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("ardenvo-documents-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "Documents");
        fs::create_directories(root / "Downloads");
        folder = (root / "Documents").string();
    }
    void TearDown() override {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    std::string download(const std::string& name, const std::string& bytes) {
        const fs::path path = root / "Downloads" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string kept(const std::string& name) const {
        std::ifstream in(fs::path(folder) / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root;
    std::string folder;
};

TEST_F(DocumentsFolder, CopyInNeverReplacesAndReusesTheSameContent) {
    struct Step {
        std::string source, bytes, expected;
    };
    const Step steps[] = {
        {"receipt.pdf", "%PDF-1 one", "receipt.pdf"},   // new
        {"receipt.pdf", "%PDF-1 one", "receipt.pdf"},   // the same paper again: shared
        {"receipt.pdf", "%PDF-1 two", "receipt 2.pdf"}, // another paper of that name
        {"receipt.pdf", "%PDF-1 six", "receipt 3.pdf"},
        {"receipt.pdf", "%PDF-1 two", "receipt 2.pdf"}, // found again under its number
        {"README", "no extension", "README"},
        {"README", "other text", "README 2"},
    };
    for (const Step& step : steps) {
        const DocumentCopy copy = copyDocumentIn(download(step.source, step.bytes), folder);
        ASSERT_TRUE(copy.ok) << copy.error;
        EXPECT_EQ(copy.fileName, step.expected) << step.bytes;
        EXPECT_EQ(kept(copy.fileName), step.bytes);
    }
    EXPECT_EQ(kept("receipt.pdf"), "%PDF-1 one");
    // Readable as any file copied in, whatever the source's mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat copied {};
    ASSERT_EQ(::stat((fs::path(folder) / "receipt.pdf").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mode & 0777, 0644 & ~mask);
    // A file already in the folder is used where it is; no hidden copy is left behind.
    const DocumentCopy itself = copyDocumentIn(folder + "/receipt 3.pdf", folder);
    EXPECT_EQ(itself.fileName, "receipt 3.pdf");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5);

    // A name as long as a name can be still takes its number.
    const std::string longBase(NAME_MAX - 4, 'a');
    ASSERT_TRUE(copyDocumentIn(download(longBase + ".pdf", "1"), folder).ok);
    const DocumentCopy second = copyDocumentIn(download(longBase + ".pdf", "2"), folder);
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(second.fileName.size(), static_cast<std::size_t>(NAME_MAX));
    EXPECT_TRUE(second.fileName.ends_with(" 2.pdf"));

    EXPECT_FALSE(copyDocumentIn((root / "Downloads" / "gone.pdf").string(), folder).ok);
    EXPECT_FALSE(copyDocumentIn((root / "Downloads").string(), folder).ok);
    EXPECT_FALSE(copyDocumentIn(download("x.pdf", "x"), "").ok);
}

TEST_F(DocumentsFolder, NamesLeadingOutsideAreRefusedAndStatesSaid) {
    std::ofstream(fs::path(folder) / "manual.pdf") << "%PDF-1.4";
    std::ofstream(root / "secret.txt") << "not for houses from others";
    fs::create_symlink(root / "secret.txt", fs::path(folder) / "link.txt");
    fs::create_directory(fs::path(folder) / "folder.pdf");

    struct Case {
        std::string name;
        DocumentState state;
        bool refused;
    };
    const Case cases[] = {
        {"manual.pdf", DocumentState::Ok, false},
        {"gone.pdf", DocumentState::Missing, false},
        {"", DocumentState::Missing, true},
        {"../secret.txt", DocumentState::Missing, true},
        {"..\\secret.txt", DocumentState::Missing, true},
        {(root / "secret.txt").string(), DocumentState::Missing, true},
        {"C:\\Documents\\receipt.pdf", DocumentState::Missing, true},
        {"link.txt", DocumentState::Missing, true},
        {"folder.pdf", DocumentState::Unreadable, false},
    };
    for (const Case& c : cases) {
        const DocumentStatus status = documentStatus(folder, c.name);
        EXPECT_EQ(status.state, c.state) << c.name;
        EXPECT_EQ(!status.reason.empty(), c.refused) << c.name;
        EXPECT_EQ(locateDocument(folder, c.name).path.empty(), c.refused) << c.name;
    }
    EXPECT_STREQ(stateWord(DocumentState::Unreadable), "unreadable");
    if (::geteuid() != 0) { // root reads whatever the mode says
        std::ofstream(fs::path(folder) / "locked.pdf") << "%PDF-1.4";
        fs::permissions(fs::path(folder) / "locked.pdf", fs::perms::none);
        EXPECT_EQ(documentStatus(folder, "locked.pdf").state, DocumentState::Unreadable);
    }
}

TEST_F(DocumentsFolder, KindComesFromThePdfHeaderElseTheName) {
    const struct {
        std::string name, bytes;
        DocumentKind kind;
    } cases[] = {
        {"scan.dat", "junk first\n%PDF-1.7\n", DocumentKind::Pdf},
        {"receipt.PDF", "truncated", DocumentKind::Pdf},
        {"photo.JPG", "\xff\xd8", DocumentKind::Picture},
        {"card.tiff", "II*", DocumentKind::Picture},
        {"notes.txt", "Serial 1234", DocumentKind::Text},
        {"prices.csv", "a,b", DocumentKind::Text},
        {"manual.docx", "PK", DocumentKind::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(documentKind(download(c.name, c.bytes)), c.kind) << c.name;
}

TEST(ObjectDocuments, AttachedIntoOneDocumentsCategoryThePanelShows) {
    CHouseObject object;
    CategoryPanelState state;
    state.setObject(&object);
    // The name is what the paper is, in any characters: the file keeps its own name.
    const std::string odd = "Receipt 12/2024: <\"*?>|\\";
    EXPECT_EQ(state.attachDocument(odd, "receipt.pdf"), 0);
    EXPECT_EQ(state.entries(), (std::vector<std::string>{"Location", "Value", "Guarantee",
                                                         "Documents", "Reminder"}));
    EXPECT_EQ(state.entry(), 3);
    EXPECT_EQ(state.selectedRow(), 0);
    EXPECT_TRUE(state.isDocumentRow(0));
    EXPECT_EQ(state.attachDocument("Manual", "manual.pdf"), 1);
    EXPECT_EQ(object.categories().size(), 4u);
    EXPECT_EQ(object.categories()[3]->entryAt(1).category.str(), "Documents");

    // Blank values are no documents; every "Documents" category counts.
    object.categories()[3]->append("Warranty card", "");
    object.appendCategory(std::make_unique<CFieldList>("Documents")).append("Receipt", "r.png");
    std::vector<std::string> files;
    for (const ObjectDocument& d : objectDocuments(object))
        files.push_back(d.name + "=" + d.file);
    EXPECT_EQ(files, (std::vector<std::string>{odd + "=receipt.pdf", "Manual=manual.pdf",
                                               "Receipt=r.png"}));

    state.chooseEntry(0);
    EXPECT_FALSE(state.isDocumentRow(0));
    state.setShowAll(true);
    int documentRows = 0;
    for (int row = 0; row < static_cast<int>(state.rows().size()); ++row)
        documentRows += state.isDocumentRow(row);
    EXPECT_EQ(documentRows, 4);
    state.setObject(nullptr);
    EXPECT_EQ(state.attachDocument("Receipt", "x.pdf"), -1);
}

TEST(ObjectDocuments, NamesSuggestedByTheFileAndReceiptsKnown) {
    const std::pair<const char*, const char*> names[] = {
        {"Receipt-2024-03.pdf", "Receipt"}, {"INVOICE 77.pdf", "Receipt"},
        {"Rechnung.pdf", "Receipt"},        {"warranty.jpg", "Warranty card"},
        {"Garantie.pdf", "Warranty card"},  {"user_manual.pdf", "Manual"},
        {"Quick Guide.txt", "Manual"},      {"scan0001.pdf", "Document"},
    };
    for (const auto& [file, name] : names)
        EXPECT_EQ(documentNameFor(file), name) << file;
    EXPECT_TRUE(isReceipt("Receipt"));
    EXPECT_TRUE(isReceipt("receipt 2"));
    EXPECT_FALSE(isReceipt("Manual"));
    EXPECT_FALSE(isReceipt("Old receipt"));
}

} // namespace
