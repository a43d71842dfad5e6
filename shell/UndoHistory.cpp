#include "shell/UndoHistory.h"

#include "model/ProjectFile.h"
#include "platform/posix/SafeFile.h"

#include <cstring>

namespace ardenvo {

namespace {

// Whether the house serialises to exactly `bytes`, compared piece by piece so that no second
// copy of a large house is made.
bool houseEquals(const CBrenvikaDoc& doc, std::string_view bytes) {
    std::size_t at = 0;
    const bool whole = writeProjectInPieces(doc, [&](std::string_view piece) {
        if (piece.size() > bytes.size() - at ||
            std::memcmp(piece.data(), bytes.data() + at, piece.size()) != 0)
            return false;
        at += piece.size();
        return true;
    });
    return whole && at == bytes.size();
}

} // namespace

std::string UndoHistory::serialise(const CBrenvikaDoc& doc) {
    // Straight into one buffer of about the size the house had last time: no second copy of a
    // large house, as the writer's own whole-file form makes.
    std::string bytes;
    bytes.reserve(m_sizeHint);
    writeProjectInPieces(doc, [&bytes](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    m_sizeHint = bytes.size() + bytes.size() / 16;
    return bytes;
}

std::uint64_t houseHash(std::string_view bytes) {
    ContentHash hash;
    hash.add(bytes);
    return hash.value();
}

UndoHistory::UndoHistory(UndoLimits limits) : m_limits(limits) {}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
    m_bytes = 0;
    m_depth = 0;
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_saved.reset();
}

void UndoHistory::setSavedState(std::uint64_t size, std::uint64_t hash) {
    m_saved = Saved{size, hash};
}

void UndoHistory::begin(const CBrenvikaDoc& doc) {
    if (m_depth++ > 0)
        return;
    m_pending = serialise(doc);
    // An unmodified house is the saved one as far as the user is concerned (an open, a new
    // house, a save): undoing back to it must clear the modified mark.
    if (!doc.isModified())
        setSavedState(m_pending.size(), houseHash(m_pending));
}

bool UndoHistory::end(const CBrenvikaDoc& doc, const std::string& name) {
    if (m_depth == 0 || --m_depth > 0)
        return false;
    std::string before = std::move(m_pending);
    m_pending.clear();
    if (houseEquals(doc, before))
        return false;
    for (const Step& step : m_redo)
        m_bytes -= step.house.size();
    m_redo.clear();
    push(m_undo, Step{name, std::move(before)});
    return true;
}

std::string UndoHistory::undoName() const {
    return m_undo.empty() ? std::string() : m_undo.back().name;
}

std::string UndoHistory::redoName() const {
    return m_redo.empty() ? std::string() : m_redo.back().name;
}

bool UndoHistory::undo(CBrenvikaDoc& doc) {
    return canUndo() && restore(doc, m_undo, m_redo);
}

bool UndoHistory::redo(CBrenvikaDoc& doc) {
    return canRedo() && restore(doc, m_redo, m_undo);
}

bool UndoHistory::restore(CBrenvikaDoc& doc, std::deque<Step>& from, std::deque<Step>& to) {
    Step& step = from.back();
    // Read into a document no view watches, so that a failure leaves the shown house alone.
    CBrenvikaDoc fresh;
    if (readProject(step.house, fresh) != FileError::None)
        return false;
    std::string current = serialise(doc);
    const CSection* section = fresh.currentSection();
    const double zoom = section ? section->zoom : 1.0;
    const std::int32_t offsetX = section ? section->offsetX : 0;
    const std::int32_t offsetY = section ? section->offsetY : 0;
    doc.takeHouseFrom(fresh);
    // The views fit a house they are given; the step's own view of it wins.
    if (CSection* shown = doc.currentSection()) {
        shown->zoom = zoom;
        shown->offsetX = offsetX;
        shown->offsetY = offsetY;
    }
    doc.notifyViews(ViewHint::Refit);
    doc.setModified(!m_saved || m_saved->size != step.house.size() ||
                    m_saved->hash != houseHash(step.house));

    Step back{std::move(step.name), std::move(current)};
    m_bytes -= step.house.size();
    from.pop_back();
    push(to, std::move(back));
    return true;
}

void UndoHistory::push(std::deque<Step>& stack, Step step) {
    m_bytes += step.house.size();
    stack.push_back(std::move(step));
    enforceLimits();
}

void UndoHistory::enforceLimits() {
    auto over = [this] {
        return stepCount() > m_limits.maxSteps || m_bytes > m_limits.maxBytes;
    };
    // The oldest undo steps go first; only then the farthest redo steps.
    while (over() && !m_undo.empty()) {
        m_bytes -= m_undo.front().house.size();
        m_undo.pop_front();
    }
    while (over() && !m_redo.empty()) {
        m_bytes -= m_redo.front().house.size();
        m_redo.pop_front();
    }
}

} // namespace ardenvo
