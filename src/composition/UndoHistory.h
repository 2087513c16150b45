#pragma once
// The steps a user can go back and forth through: the picture as it was after each committed change,
// at most a limit of them (the oldest go first). A change after going back drops the steps ahead.

#include "composition/PictureState.h"
#include <cstddef>
#include <deque>

class CUndoHistory {
public:
    explicit CUndoHistory(std::size_t limit = 200) : m_limit(limit < 2 ? 2 : limit) {}

    // Starts anew from state, with nothing to undo or redo.
    void Reset(CPictureState state);
    // Takes in the picture as it is now: a new step when it differs from the current one (true), else
    // only the current step's selection follows (false).
    bool Commit(CPictureState state);
    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_steps.size(); }
    // The step before (after) the current one, which becomes current; the current one when there is none.
    const CPictureState& Undo();
    const CPictureState& Redo();
    const CPictureState& Current() const { return m_steps[m_current]; }
    std::size_t GetCount() const { return m_steps.size(); }
    // The current step is the picture as its file holds it, or a new picture (Reset marks its state so):
    // a way back or forth to that step leaves nothing to save.
    void MarkClean() { m_clean = m_current; }
    // No step is what a file holds (a picture brought back from an autosave): every one has changes to save.
    void ForgetClean() { m_clean = noStep; }
    bool IsClean() const { return m_clean == m_current; }

private:
    static constexpr std::size_t noStep = std::size_t(-1);
    std::deque<CPictureState> m_steps{CPictureState{}};
    std::size_t m_current = 0;
    // The clean step, or noStep when a change after going back or the limit dropped it.
    std::size_t m_clean = 0;
    std::size_t m_limit;
};
