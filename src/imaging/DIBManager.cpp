#include "imaging/DIBManager.h"

#include "platform/Modal.h"
#include "platform/UserDataFolder.h"

#include <algorithm>
#include <new>

CDIBRef::CDIBRef(const CDIBRef& other) : m_store(other.m_store), m_dib(other.m_dib) {
    if (m_dib)
        m_dib->AddRef();
}

void CDIBRef::reset() {
    if (m_dib && m_store)
        m_store->Release(m_dib);
    m_store = nullptr;
    m_dib = nullptr;
}

CDIBManager::~CDIBManager() = default;

CDIBRef CDIBManager::Keep(std::unique_ptr<CDIB> dib, bool fromFile) {
    if (!dib)
        return {};
    try {
        m_entries.push_back({std::move(dib), fromFile});
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a dib to the dibmanager", MB_OK);
        return {};
    }
    CDIB* kept = m_entries.back().dib.get();
    kept->AddRef();
    return CDIBRef(this, kept);
}

CDIBRef CDIBManager::Adopt(std::unique_ptr<CDIB> dib) {
    return Keep(std::move(dib), false);
}

CDIBRef CDIBManager::GetDIB(const std::string& path) {
    for (const Entry& entry : m_entries) {
        if (entry.fromFile && entry.dib->GetName() == path) {
            entry.dib->AddRef();
            return CDIBRef(this, entry.dib.get());
        }
    }
    std::unique_ptr<CDIB> dib(new (std::nothrow) CDIB);
    // The user's own pictures stand alone: any name there is a picture, none another's companion.
    if (!dib || !dib->Load(path, !IsInUserDataFolder(path)))
        return {};
    return Keep(std::move(dib), true);
}

void CDIBManager::Release(CDIB* dib) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [dib](const Entry& entry) { return entry.dib.get() == dib; });
    if (it != m_entries.end() && dib->Release())
        m_entries.erase(it);
}
