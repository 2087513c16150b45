#include "platform/Menu.h"

CMenu& CMenu::AddPopup(const std::string& text) {
    m_popups.push_back({text, {}});
    return *this;
}

CMenu& CMenu::AddItem(const std::string& text, UINT command) {
    if (m_popups.empty())
        m_popups.push_back({});
    m_popups.back().items.push_back({text, command});
    return *this;
}
