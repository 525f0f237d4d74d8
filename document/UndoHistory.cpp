#include "document/UndoHistory.h"

UndoHistory::UndoHistory(std::size_t maxSteps, std::size_t maxBytes)
    : m_maxSteps(maxSteps), m_maxBytes(maxBytes) {}

void UndoHistory::Clear() {
    Forget();
    m_savedState = m_currentState;
}

void UndoHistory::Forget() {
    m_undo.clear();
    m_redo.clear();
    m_base.reset();
    m_currentState = m_nextState++;
}

std::shared_ptr<const ContentSnapshot> UndoHistory::Snapshot(const LiveContent& live) const {
    return std::make_shared<const ContentSnapshot>(live, m_base.get(), m_memory);
}

void UndoHistory::Record(UndoStep step, const LiveContent& live) {
    std::shared_ptr<const ContentSnapshot> snapshot = Snapshot(live);
    m_undo.push_back({std::move(step), snapshot, m_currentState});
    m_redo.clear();
    m_base = std::move(snapshot);
    m_currentState = m_nextState++;
    Trim();
}

RestoredContent UndoHistory::Undo(const LiveContent& live) {
    return Move(m_undo, m_redo, live);
}

RestoredContent UndoHistory::Redo(const LiveContent& live) {
    return Move(m_redo, m_undo, live);
}

RestoredContent UndoHistory::Move(std::deque<Entry>& from, std::deque<Entry>& to, const LiveContent& live) {
    if (from.empty()) {
        return {};
    }
    // Everything that can fail comes before the first change of the history.
    std::shared_ptr<const ContentSnapshot> current = Snapshot(live);
    RestoredContent restored = from.back().snapshot->Restore();
    to.push_back({from.back().step, std::move(current), m_currentState});

    m_currentState = from.back().state;
    m_base = std::move(from.back().snapshot);
    from.pop_back();
    Trim();
    return restored;
}

void UndoHistory::Trim() {
    while (!m_undo.empty() && (m_undo.size() > m_maxSteps || m_memory->bytes > m_maxBytes)) {
        m_undo.pop_front();
    }
    while (!m_redo.empty() && m_memory->bytes > m_maxBytes) {
        m_redo.pop_front();
    }
    if (m_undo.empty() && m_redo.empty()) {
        // Nothing is left to share with, and a copy too large to keep should not stay behind.
        m_base.reset();
    }
}
