#include "labels/core/LabelSubjects.h"

#include "model/TreeOrder.h"

#include <utility>

namespace ardenvo {
namespace {

std::vector<std::string_view> splitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (true) {
        const std::size_t slash = path.find('/', at);
        parts.push_back(path.substr(at, slash == std::string_view::npos ? path.npos : slash - at));
        if (slash == std::string_view::npos)
            return parts;
        at = slash + 1;
    }
}

} // namespace

void forEachLabelSubject(const CBrenvikaDoc& doc,
                         const std::function<void(const LabelSubject&)>& visit) {
    struct Pending {
        CHouseObject* object;
        NestPosition position; // in its parent
        std::size_t depth;     // containers above it
    };
    for (const auto& section : doc.sections()) {
        for (const auto& block : section->blocks()) {
            LabelSubject subject{section.get(), block.get(), nullptr, {}};
            visit(subject);
            std::vector<Pending> stack;
            const std::vector<CHouseObject*> floor = floorObjectsInTreeOrder(*block);
            for (auto it = floor.rbegin(); it != floor.rend(); ++it)
                stack.push_back({*it, NestPosition::OnTop, 0});
            while (!stack.empty()) {
                const Pending next = stack.back();
                stack.pop_back();
                subject.parents.resize(next.depth);
                if (next.depth > 0)
                    subject.parents.back().first = next.position;
                subject.object = next.object;
                visit(subject);
                const std::vector<TreeChild> children = childrenInTreeOrder(*next.object);
                for (auto it = children.rbegin(); it != children.rend(); ++it)
                    stack.push_back({it->object, it->position, next.depth + 1});
                subject.parents.emplace_back(NestPosition::OnTop, next.object);
            }
        }
    }
}

std::vector<LabelSubject> labelSubjects(const CBrenvikaDoc& doc,
                                        const std::function<bool(const LabelSubject&)>& wanted) {
    std::vector<LabelSubject> subjects;
    forEachLabelSubject(doc, [&](const LabelSubject& subject) {
        if (wanted(subject))
            subjects.push_back(subject);
    });
    return subjects;
}

bool holdsOthers(const CHouseObject& object) {
    for (int p = 0; p < kNestPositionCount; ++p)
        if (!object.children(static_cast<NestPosition>(p)).empty())
            return true;
    return false;
}

std::vector<LabelSubject> containerSubjects(const CBrenvikaDoc& doc) {
    return labelSubjects(doc, [](const LabelSubject& subject) {
        return !subject.isRoom() && holdsOthers(*subject.object);
    });
}

std::vector<LabelSubject> roomSubjects(const CBrenvikaDoc& doc) {
    return labelSubjects(doc, [](const LabelSubject& subject) { return subject.isRoom(); });
}

std::optional<LabelSubject> findLabelSubject(const CBrenvikaDoc& doc, std::string_view path,
                                             bool object) {
    const std::vector<std::string_view> parts = splitPath(path);
    if (parts.size() < 2 || (object && parts.size() < 3) || (!object && parts.size() != 2))
        return std::nullopt;
    LabelSubject subject;
    for (const auto& section : doc.sections()) {
        if (section->name != parts[0])
            continue;
        for (const auto& block : section->blocks())
            if (block->name == parts[1] && !subject.block)
                subject = {section.get(), block.get(), nullptr, {}};
        if (subject.block)
            break;
    }
    if (!subject.block)
        return std::nullopt;
    if (!object)
        return subject;
    subject.object = subject.block->findFloorObject(std::string(parts[2]));
    for (std::size_t i = 3; i < parts.size() && subject.object; ++i) {
        CHouseObject* parent = subject.object;
        subject.object = nullptr;
        for (const TreeChild& child : childrenInTreeOrder(*parent)) {
            if (child.object->name == parts[i]) {
                subject.parents.emplace_back(child.position, parent);
                subject.object = child.object;
                break;
            }
        }
    }
    if (!subject.object)
        return std::nullopt;
    return subject;
}

bool sameSubject(const LabelSubject& a, const LabelSubject& b) {
    return a.block == b.block && a.object == b.object;
}

} // namespace ardenvo
