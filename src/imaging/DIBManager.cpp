#include "imaging/DIBManager.h"

#include "platform/Modal.h"
#include "platform/UserDataFolder.h"

#include <algorithm>
#include <new>

CDIBManager::~CDIBManager() {
    for (CDIB* dib : m_dibs)
        delete dib;
    m_dibs.clear();
}

BOOL CDIBManager::Add(CDIB* dib) {
    if (!dib)
        return FALSE;
    if (std::find(m_dibs.begin(), m_dibs.end(), dib) != m_dibs.end())
        return TRUE;
    try {
        m_dibs.push_back(dib);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Error: could not add a dib to the dibmanager", MB_OK);
        return FALSE;
    }
    dib->AddRef();
    return TRUE;
}

CDIB* CDIBManager::GetDIB(const std::string& path) {
    for (CDIB* dib : m_dibs) {
        if (dib->GetName() == path) {
            dib->AddRef();
            return dib;
        }
    }
    auto* dib = new (std::nothrow) CDIB;
    // The user's own pictures stand alone: any name there is a picture, none another's companion.
    if (!dib || !dib->Load(path, !IsInUserDataFolder(path))) {
        delete dib;
        return nullptr;
    }
    // Should the list not grow, the image is still handed out, unlisted and uncounted.
    Add(dib);
    return dib;
}

BOOL CDIBManager::Release(CDIB* dib) {
    auto it = std::find(m_dibs.begin(), m_dibs.end(), dib);
    if (!dib || it == m_dibs.end())
        return FALSE;
    if (dib->GetRefCount() <= 1)
        m_dibs.erase(it);
    if (dib->Release())
        delete dib;
    return TRUE;
}
