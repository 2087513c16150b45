#include "controls/MessageTable.h"

#include "platform/Modal.h"
#include <new>

int CMessageTable::AddMessage(int key, int group, const std::string& text) {
    try {
        m_entries.push_back(std::make_unique<Entry>(Entry{key, group, text}));
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a message to the message table");
        return 0;
    }
    return 1;
}

const std::string* CMessageTable::FindMessage(int key) const {
    for (const auto& e : m_entries)
        if (e->key == key && (m_group == 0 || e->group == m_group))
            return &e->text;
    return nullptr;
}

int CMessageTable::ShowMessage(const std::string* text, UINT style) {
    if (!text)
        return 0;
    return AfxMessageBox(text->c_str(), style);
}
