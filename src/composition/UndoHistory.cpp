#include "composition/UndoHistory.h"

#include <utility>

void CUndoHistory::Reset(CPictureState state) {
    m_steps.clear();
    m_steps.push_back(std::move(state));
    m_current = 0;
    m_clean = 0;
}

bool CUndoHistory::Commit(CPictureState state) {
    CPictureState& current = m_steps[m_current];
    if (current.SamePicture(state)) {
        current.selectedLayer = state.selectedLayer;
        current.frame = state.frame;
        return false;
    }
    m_steps.erase(m_steps.begin() + std::ptrdiff_t(m_current) + 1, m_steps.end());
    if (m_clean != noStep && m_clean > m_current)
        m_clean = noStep;
    m_steps.push_back(std::move(state));
    while (m_steps.size() > m_limit) {
        m_steps.pop_front();
        m_clean = m_clean == 0 || m_clean == noStep ? noStep : m_clean - 1;
    }
    m_current = m_steps.size() - 1;
    return true;
}

const CPictureState& CUndoHistory::Undo() {
    if (CanUndo())
        --m_current;
    return m_steps[m_current];
}

const CPictureState& CUndoHistory::Redo() {
    if (CanRedo())
        ++m_current;
    return m_steps[m_current];
}
