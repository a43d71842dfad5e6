// The scan of a project file accepts and refuses exactly the files the reader does, and tells
// every text a report may need.
#include "model/ProjectScan.h"
#include "model/FileTestHouse.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

FileError scanned(std::string_view bytes) {
    ProjectScanSink sink;
    sink.wantsFields = true;
    return scanProject(bytes, sink);
}

FileError read(std::string_view bytes) {
    CBrenvikaDoc doc;
    return readProject(bytes, doc);
}

TEST(ProjectScan, AcceptsAndRefusesWhatTheReaderDoes) {
    const std::string good = writeProject(*test::makeFileTestHouse());
    ASSERT_EQ(scanned(good), FileError::None);
    // Every damage a byte can do: the file cut short anywhere, and each byte set to a count or
    // prefix no writer makes, to a small number and to zero. Inside a run of one repeated byte (the
    // house's long texts) every place does what the run's ends do.
    for (std::size_t at = 0; at < good.size(); ++at) {
        if (at > 0 && at + 1 < good.size() && good[at - 1] == good[at] && good[at] == good[at + 1])
            continue;
        ASSERT_EQ(scanned(good.substr(0, at)), read(good.substr(0, at))) << "cut at " << at;
        for (const char value : {'\xFF', '\x7F', '\x02', '\x00'}) {
            std::string bytes = good;
            bytes[at] = value;
            ASSERT_EQ(scanned(bytes), read(bytes)) << "byte " << at << " set to " << int(value);
        }
    }
}

// Records what a scan tells, as one line per event.
struct Transcript : ProjectScanSink {
    std::string text;
    void endSection(std::string_view name) override { text += "S " + std::string(name) + "\n"; }
    void endBlock(std::string_view name) override { text += "B " + std::string(name) + "\n"; }
    void beginObject() override { text += "(\n"; }
    void field(std::string_view title, std::string_view name, std::string_view value) override {
        text += "  " + std::string(title) + ": " + std::string(name) + " = " + std::string(value) +
                "\n";
    }
    void beginChildren(NestPosition position) override {
        text += "  " + std::to_string(static_cast<int>(position)) + "\n";
    }
    void endObject(std::string_view name, std::string_view notes) override {
        text += ") " + std::string(name) + " / " + std::string(notes) + "\n";
    }
};

TEST(ProjectScan, TellsTextsInFileOrderAndConvertsWideOnes) {
    CBrenvikaDoc doc;
    auto lamp = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    lamp->name = "Lamp";
    lamp->notes = "WIDE";
    auto category = std::make_unique<CFieldList>("Value");
    category->append("Price paid", "12");
    lamp->appendCategory(std::move(category));
    auto bulb = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    bulb->name = "Bulb";
    lamp->appendChildAsStored(NestPosition::Inside, std::move(bulb));
    doc.currentSection()->blocks().front()->addFloorObject(std::move(lamp));
    std::string bytes = writeProject(doc);
    // The notes stored in the wide form older writers used: "Wïde" in UTF-16LE.
    const std::size_t notes = bytes.find("\x04WIDE");
    ASSERT_NE(notes, std::string::npos);
    bytes.replace(notes, 5, std::string("\xFF\xFE\xFF\x04W\0\xEF\0d\0e\0", 12));
    ASSERT_EQ(read(bytes), FileError::None);

    Transcript withFields;
    withFields.wantsFields = true;
    ASSERT_EQ(scanProject(bytes, withFields), FileError::None);
    EXPECT_EQ(withFields.text, "(\n"
                               "  Value: Price paid = 12\n"
                               "  0\n"
                               "  1\n"
                               "(\n"
                               "  0\n"
                               "  1\n"
                               "  2\n"
                               ") Bulb / \n"
                               "  2\n"
                               ") Lamp / W\xC3\xAF"
                               "de\n"
                               "B I'm a hall\n"
                               "S House\n");
    Transcript plain;
    ASSERT_EQ(scanProject(bytes, plain), FileError::None);
    EXPECT_EQ(plain.text.find("Price paid"), std::string::npos);
}

} // namespace
} // namespace ardenvo
