#include "labels/core/LabelText.h"

#include "labels/core/QrCode.h"
#include "model/TextEncoding.h"
#include "model/TreeOrder.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace ardenvo {
namespace {

// Decodes one code point of valid UTF-8 at `i` and moves past it.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) {
        return static_cast<unsigned char>(text[at]);
    };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < text.size(); ++k)
        cp = (cp << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// Separators and the marks that reorder text: shown as "\u2028", never obeyed.
bool breaksLayout(char32_t cp) {
    return cp == 0x2028 || cp == 0x2029 || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069) || cp == 0x061C || cp == 0x200E || cp == 0x200F;
}

void appendHex(std::string& out, char32_t value, int digits) {
    constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 15];
}

// At most `budget` bytes of `text`, never cutting a character; a cut text ends with "...".
std::string cutToBytes(const std::string& text, std::size_t budget) {
    if (text.size() <= budget)
        return text;
    if (budget < 3)
        return {};
    std::size_t cut = budget - 3;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "...";
}

std::string contentLine(const LabelLine& line) {
    return std::string(static_cast<std::size_t>(std::min(line.level, kMaxIndentLevel)) * 2, ' ') +
           "- " + line.text;
}

std::string placeOf(const LabelSubject& subject) {
    std::string place = labelName(subject.block->name);
    const ContainerChain& chain = subject.parents;
    const std::size_t first = chain.size() > kNamedContainers ? chain.size() - kNamedContainers : 0;
    if (first > 0)
        place += ", " + std::string(kFartherContainers);
    for (std::size_t i = first; i < chain.size(); ++i) {
        place += nestWords(chain[i].first);
        place += labelName(containerName(chain[i].second->name));
    }
    return place;
}

// Everything nested in `object` in tree order, depth first without recursion (a nest may run
// thousands deep); names are kept for the first kMaxContentLines, the rest only counted.
void collectNested(const CHouseObject& object, LabelContent& content) {
    std::vector<std::pair<const CHouseObject*, int>> stack;
    const auto pushChildren = [&stack](const CHouseObject& parent, int level) {
        const std::vector<TreeChild> children = childrenInTreeOrder(parent);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.emplace_back(it->object, level);
    };
    pushChildren(object, 0);
    while (!stack.empty()) {
        const auto [child, level] = stack.back();
        stack.pop_back();
        if (content.contents.size() < kMaxContentLines)
            content.contents.push_back({level, labelName(child->name)});
        ++content.total;
        pushChildren(*child, level + 1);
    }
}

} // namespace

std::string labelName(std::string_view bytes) {
    const std::string text = readableUtf8(bytes);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t cp = nextCodePoint(text, i);
        if (cp == '\n') {
            out += "\\n";
        } else if (cp == '\t') {
            out += "\\t";
        } else if (cp == '\r') {
            out += "\\r";
        } else if (cp < 0x20 || cp == 0x7F) {
            char escape[4];
            out.append(escape, writeByteEscape(escape, static_cast<unsigned char>(cp)));
        } else if ((cp >= 0x80 && cp <= 0x9F) || breaksLayout(cp)) {
            out += "\\u";
            appendHex(out, cp, 4);
        } else {
            out.append(text, start, i - start);
        }
    }
    return out;
}

LabelContent makeLabelContent(const LabelSubject& subject, const std::string& code) {
    LabelContent content;
    content.code = code;
    if (subject.isRoom()) {
        content.name = labelName(subject.block->name);
        content.place = subject.section ? labelName(subject.section->name) : std::string();
        const std::vector<CHouseObject*> floor = floorObjectsInTreeOrder(*subject.block);
        content.total = floor.size();
        for (const CHouseObject* object : floor) {
            if (content.contents.size() == kMaxContentLines)
                break;
            content.contents.push_back({0, labelName(object->name)});
        }
        return content;
    }
    content.name = labelName(subject.object->name);
    content.place = placeOf(subject);
    collectNested(*subject.object, content);
    return content;
}

std::string moreLine(std::size_t count) {
    // One format rather than pieces: the compiler would store " more" cut into words.
    char text[48];
    std::snprintf(text, sizeof text, "and %zu more", count);
    return text;
}

std::size_t leftOutLines(const LabelContent& content, std::size_t maxLines) {
    if (maxLines == 0 || content.total == 0)
        return 0;
    if (content.total <= maxLines && content.contents.size() == content.total)
        return 0;
    return content.total - std::min(maxLines - 1, content.contents.size());
}

std::vector<std::string> contentLines(const LabelContent& content, std::size_t maxLines) {
    std::vector<std::string> lines;
    if (maxLines == 0 || content.total == 0)
        return lines;
    const std::size_t leftOut = leftOutLines(content, maxLines);
    const std::size_t shown = content.total - leftOut;
    for (std::size_t i = 0; i < shown; ++i)
        lines.push_back(contentLine(content.contents[i]));
    if (leftOut > 0)
        lines.push_back(moreLine(leftOut));
    return lines;
}

std::string houseTitle(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (name.size() > 3 && name.compare(name.size() - 3, 3, ".av") == 0)
        name.resize(name.size() - 3);
    return name.empty() ? std::string("Untitled") : labelName(name);
}

std::string qrPayload(const LabelContent& content, std::string_view title, int maxModules) {
    const std::size_t capacity = qrCapacity(maxModules);
    std::string code = content.code.empty() ? std::string() : "\n" + content.code;
    const std::string titleLine = title.empty() ? std::string() : "\n" + std::string(title);

    // Lengths of the content lines with their line breaks, summed: what k lines cost.
    std::vector<std::size_t> prefix{0};
    for (const LabelLine& line : content.contents)
        prefix.push_back(prefix.back() + 1 + contentLine(line).size());
    const std::size_t stored = content.contents.size();
    const bool allStored = stored == content.total;
    const auto costOf = [&](std::size_t lines) -> std::size_t {
        if (lines == 0)
            return 0;
        if (allStored && lines >= content.total)
            return prefix[content.total];
        const std::size_t shown = std::min(lines - 1, stored);
        return prefix[shown] + 1 + moreLine(content.total - shown).size();
    };
    const std::size_t mostLines = allStored ? content.total : stored + 1;

    const std::size_t header = content.name.size() + 1 + content.place.size() + code.size();
    std::string name = content.name;
    std::string place = content.place;
    std::vector<std::string> lines;
    std::string tail = titleLine;
    if (header + titleLine.size() <= capacity) {
        std::size_t keep = mostLines;
        while (keep > 0 && header + costOf(keep) + titleLine.size() > capacity)
            --keep;
        lines = contentLines(content, keep);
    } else if (header > capacity) {
        // Even the name and place overflow the code: both are cut, the name keeping at least half.
        tail.clear();
        const std::size_t room = capacity > 1 + code.size() ? capacity - 1 - code.size() : 0;
        const std::size_t nameRoom = std::min(
            name.size(), std::max(room > place.size() ? room - place.size() : 0, room / 2));
        name = cutToBytes(name, nameRoom);
        place = cutToBytes(place, room - name.size());
        if (code.size() > capacity)
            code.clear();
    } else {
        tail.clear();
    }
    std::string text = name + "\n" + place + code;
    for (const std::string& line : lines)
        text += "\n" + line;
    return text + tail;
}

} // namespace ardenvo
