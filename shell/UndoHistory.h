#pragma once

#include "model/CBrenvikaDoc.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace ardenvo {

// How much the history may hold; the oldest steps go first when either is passed.
struct UndoLimits {
    std::size_t maxSteps = 100;
    std::size_t maxBytes = std::size_t(256) * 1024 * 1024;
};

// Undo and redo for a house, with no widgets: each step keeps the whole house as the project
// writer serialises it. A house of a megabyte costs well under a millisecond to keep, which buys
// a history that cannot miss a change whatever code made it. Callers only mark where a step
// begins and ends and name it.
class UndoHistory {
public:
    explicit UndoHistory(UndoLimits limits = {});
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Drops every step (a new house was opened, made or reloaded).
    void clear();

    // Keeps the house as it is before an edit. Steps may nest (a dialog run inside a command):
    // only the outermost one counts.
    void begin(const CBrenvikaDoc& doc);
    // Ends the step. When the house is not the same as at begin, the step is kept under `name`,
    // anything to redo is dropped and true is returned; an edit that changed nothing is no step.
    bool end(const CBrenvikaDoc& doc, const std::string& name);
    bool inStep() const { return m_depth > 0; }

    bool canUndo() const { return !m_undo.empty() && !inStep(); }
    bool canRedo() const { return !m_redo.empty() && !inStep(); }
    // The name of the step undo or redo would take back ("Delete"); empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // Puts the house back as it was before the last step (after the next one for redo), keeping
    // its path. The views are told as for an open; the current section keeps the zoom and offsets
    // it had then. The house is modified unless it is back at the state last saved. False when
    // there is nothing to take back, or the bytes could not be read (nothing changes then).
    bool undo(CBrenvikaDoc& doc);
    bool redo(CBrenvikaDoc& doc);

    // The house as last saved (or opened), by the size and content hash of its bytes.
    void setSavedState(std::uint64_t size, std::uint64_t hash);

    std::size_t stepCount() const { return m_undo.size() + m_redo.size(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }
    std::size_t byteCount() const { return m_bytes; }

private:
    struct Step {
        std::string name;
        std::string house; // the bytes to go back to
    };

    bool restore(CBrenvikaDoc& doc, std::deque<Step>& from, std::deque<Step>& to);
    std::string serialise(const CBrenvikaDoc& doc);
    void push(std::deque<Step>& stack, Step step);
    void enforceLimits();

    UndoLimits m_limits;
    std::deque<Step> m_undo; // oldest first
    std::deque<Step> m_redo; // the next to redo last
    std::size_t m_bytes = 0;
    int m_depth = 0;
    std::string m_pending; // the house at the outermost begin
    std::size_t m_sizeHint = 0;
    struct Saved {
        std::uint64_t size;
        std::uint64_t hash;
    };
    std::optional<Saved> m_saved;
};

// The content hash of a house's bytes, as a save's file stamp records it.
std::uint64_t houseHash(std::string_view bytes);

} // namespace ardenvo
