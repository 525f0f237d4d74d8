#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "document/ContentSnapshot.h"

// What a step of the history changed, so that the editor can show it after an undo or redo.
struct StepTarget {
    enum class Kind { None, Index, Subindex, FileInfo, DeviceInfo, DummyUsage, Comments };
    Kind kind = Kind::None;
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;

    bool operator==(const StepTarget&) const = default;
};

// One change of the content, as the Edit menu names it ("Delete subindex 0x1018, 0x02").
struct UndoStep {
    std::string label;
    // What the change acted on before it and what it left behind (an edit may renumber).
    StepTarget before;
    StepTarget after;
    // An import: undo and redo give back the project's name together with its content.
    bool replacesProject = false;
};

// The document's undo and redo. Before each change the document records its whole content; undo puts
// the recorded content back and keeps the replaced one for redo. The history keeps at most MaxSteps
// steps to undo and about MaxBytes of copies, dropping the oldest steps first. It also knows which
// position was saved last, so the modified flag can follow undo and redo.
class UndoHistory {
public:
    static constexpr std::size_t MaxSteps = 100;
    static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

    explicit UndoHistory(std::size_t maxSteps = MaxSteps, std::size_t maxBytes = MaxBytes);

    // Forgets every step; the live content counts as saved (New, Open).
    void Clear();
    // Forgets every step but not which content was saved (a step that could not be recorded).
    void Forget();
    // Keeps the live content, just before it changes, as the step to undo. Throws std::bad_alloc with
    // the history unchanged.
    void Record(UndoStep step, const LiveContent& live);

    const UndoStep* NextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back().step; }
    const UndoStep* NextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back().step; }

    // One step back or forward: keeps the live content for the other direction and returns the content
    // to put in its place. Throws std::bad_alloc with the history unchanged.
    RestoredContent Undo(const LiveContent& live);
    RestoredContent Redo(const LiveContent& live);

    void MarkSaved() { m_savedState = m_currentState; }
    // Whether the live content is the one last saved or opened.
    bool AtSavedState() const { return m_currentState == m_savedState; }

    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }
    std::size_t MemoryUsed() const { return m_memory->bytes; }

private:
    struct Entry {
        UndoStep step;
        std::shared_ptr<const ContentSnapshot> snapshot;
        // Which content the snapshot holds; equal numbers mean equal content.
        std::uint64_t state;
    };

    RestoredContent Move(std::deque<Entry>& from, std::deque<Entry>& to, const LiveContent& live);
    std::shared_ptr<const ContentSnapshot> Snapshot(const LiveContent& live) const;
    void Trim();

    std::size_t m_maxSteps;
    std::size_t m_maxBytes;
    std::shared_ptr<SnapshotMemory> m_memory = std::make_shared<SnapshotMemory>();
    // Oldest first; the back is the next step to undo or redo.
    std::deque<Entry> m_undo;
    std::deque<Entry> m_redo;
    // The snapshot the live content last came from or was recorded into: new snapshots share its
    // unchanged indices.
    std::shared_ptr<const ContentSnapshot> m_base;
    std::uint64_t m_currentState = 0;
    std::uint64_t m_savedState = 0;
    std::uint64_t m_nextState = 1;
};
