#include "model/Archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ardenvo;

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

std::string written(const std::string& text) {
    std::string out;
    ArchiveWriter(out).writeText(text);
    return out;
}

std::string readBack(const std::string& data) {
    ArchiveReader in(data);
    std::string text = in.readText();
    EXPECT_TRUE(in.atEnd());
    return text;
}

// A wide text: the escape, the marker, then a narrow prefix counting UTF-16 units.
std::string wideText(const std::u16string& text) {
    std::string out = bytes({0xFF, 0xFE, 0xFF});
    std::string prefixed;
    ArchiveWriter(prefixed).writeText(std::string(text.size(), 'x'));
    out += prefixed.substr(0, prefixed.size() - text.size());
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

} // namespace

TEST(Archive, TextPrefixesChangeWidthAtEachBoundaryAndReadBack) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {0, bytes({0x00})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {65533, bytes({0xFF, 0xFD, 0xFF})},
        {65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'q');
        if (!text.empty())
            text.back() = 'z';
        const std::string out = written(text);
        ASSERT_EQ(out.size(), c.prefix.size() + c.length);
        EXPECT_EQ(out.substr(0, c.prefix.size()), c.prefix);
        EXPECT_EQ(readBack(out), text);
    }
}

TEST(Archive, ReaderAcceptsWiderPrefixesThanTheWriterWouldUse) {
    // A short text under a 32-bit prefix, and under the 64-bit form of other writers.
    EXPECT_EQ(readBack(bytes({0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 'a', 'b', 'c'})), "abc");
    EXPECT_EQ(readBack(bytes(
                  {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0, 'h', 'i'})),
              "hi");
    EXPECT_EQ(readBack(bytes({0xFF, 0x02, 0x00, 'o', 'k'})), "ok");
}

TEST(Archive, WideTextsBecomeUtf8) {
    EXPECT_EQ(readBack(wideText(u"K\u00fcche")), "K\xC3\xBC"
                                                 "che");
    EXPECT_EQ(readBack(wideText(u"\u20ac \U0001F511")), "\xE2\x82\xAC \xF0\x9F\x94\x91");
    EXPECT_EQ(readBack(wideText(u"")), "");
    // An unpaired surrogate cannot become UTF-8: it is replaced, not dropped or passed through.
    EXPECT_EQ(readBack(wideText(std::u16string(1, u'\xD800') + u"x")), "\xEF\xBF\xBDx");
    // Long wide texts take the wider prefixes after the marker.
    const std::u16string longText(300, u'\u00e9');
    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(readBack(wideText(longText)), expected);
}

TEST(Archive, DamagedLengthsAndCountsAreRefusedBeforeAnythingIsAllocated) {
    const std::vector<std::string> damagedTexts = {
        bytes({}),
        bytes({0x05, 'a', 'b'}),                           // ends inside the text
        bytes({0xFF, 0x10}),                               // ends inside the prefix
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), // 2 GiB promised, nothing there
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x80}),
        bytes({0xFF, 0xFE, 0xFF, 0x03, 'a', 0}),           // wide text cut short
        bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}), // two wide markers
        bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
    };
    for (const auto& data : damagedTexts) {
        ArchiveReader in(data);
        EXPECT_THROW(in.readText(), ArchiveFormatError) << testing::PrintToString(data);
    }

    std::string counts;
    ArchiveWriter w(counts);
    w.writeInt32(-1);
    w.writeInt32(3);
    w.writeInt32(0);
    w.writeDouble(0.0);
    w.finish();
    ArchiveReader in(counts);
    EXPECT_THROW(in.readCount(1), ArchiveFormatError); // negative
    EXPECT_THROW(in.readCount(5), ArchiveFormatError); // 3 records of 5 bytes; 12 bytes left
    const std::string tail = counts.substr(4);
    ArchiveReader again(tail);
    EXPECT_EQ(again.readCount(2), 3u); // 3 x 2 bytes fit into the 12 that remain
    const std::string two = bytes({1, 2});
    EXPECT_THROW(ArchiveReader(two).readInt32(), ArchiveFormatError);
}

// Records of every size laid across the writer's chunk boundaries: the collected string, the
// pieces handed to a sink and a plain reading all agree, and a refused piece stops the writer.
TEST(Archive, RecordsAcrossChunkBoundariesReadBackTheSameFromStringAndPieces) {
    std::vector<std::string> texts;
    for (std::size_t n : {0u, 1u, 14u, 15u, 16u, 17u, 254u, 255u, 4000u, 70000u})
        texts.push_back(std::string(n, static_cast<char>('a' + n % 26)));
    const auto writeAll = [&texts](ArchiveWriter& w) {
        for (int round = 0; round < 40; ++round) {
            for (const auto& t : texts) {
                w.writeText(t);
                w.writeInt32(round);
                w.writeRect({round, -1, 2, -3});
                w.writeText(std::string_view(t).substr(t.size() / 2));
                w.writeDouble(0.5 * round);
            }
        }
    };

    std::string collected = "head";
    {
        ArchiveWriter w(collected);
        writeAll(w);
    }
    std::string joined;
    std::size_t pieces = 0;
    const ArchiveWriter::Sink sink = [&](std::string_view piece) {
        EXPECT_LE(piece.size(), ArchiveWriter::kPieceBytes);
        joined.append(piece);
        ++pieces;
        return true;
    };
    ArchiveWriter streamed(sink);
    writeAll(streamed);
    streamed.finish();
    EXPECT_GT(pieces, 2u);
    ASSERT_EQ(collected.substr(0, 4), "head");
    EXPECT_EQ(collected.substr(4), joined);

    ArchiveReader in(joined);
    for (int round = 0; round < 40; ++round) {
        for (const auto& t : texts) {
            ASSERT_EQ(in.readText(), t);
            EXPECT_EQ(in.readInt32(), round);
            const Rect r = in.readRect();
            EXPECT_EQ(r.left, round);
            EXPECT_EQ(r.bottom, -3);
            EXPECT_EQ(in.readText(), t.substr(t.size() / 2));
            EXPECT_EQ(in.readDouble(), 0.5 * round);
        }
    }
    EXPECT_TRUE(in.atEnd());

    int accepted = 1;
    const ArchiveWriter::Sink refusing = [&accepted](std::string_view) {
        return accepted-- > 0;
    };
    ArchiveWriter refused(refusing);
    EXPECT_THROW(writeAll(refused), ArchiveSinkFailed);
}
