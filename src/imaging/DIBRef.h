#pragma once
// One holder's share of a picture kept by a CDIBManager: a copy is one more reference, destroying or
// resetting gives the reference back, and the store destroys the picture with its last reference. Every
// holder owns exactly the references it holds, so nobody counts by hand. The store outlives the
// references to its pictures.

#include <utility>

class CDIB;
class CDIBManager;

class CDIBRef {
public:
    CDIBRef() = default;
    CDIBRef(const CDIBRef& other);
    CDIBRef(CDIBRef&& other) noexcept
        : m_store(std::exchange(other.m_store, nullptr)), m_dib(std::exchange(other.m_dib, nullptr)) {}
    CDIBRef& operator=(CDIBRef other) noexcept {
        std::swap(m_store, other.m_store);
        std::swap(m_dib, other.m_dib);
        return *this;
    }
    ~CDIBRef() { reset(); }

    void reset();
    CDIB* get() const { return m_dib; }
    CDIB* operator->() const { return m_dib; }
    explicit operator bool() const { return m_dib != nullptr; }
    friend bool operator==(const CDIBRef& a, const CDIBRef& b) { return a.m_dib == b.m_dib; }

private:
    friend class CDIBManager;
    // Takes over a reference the store has counted already.
    CDIBRef(CDIBManager* store, CDIB* dib) : m_store(store), m_dib(dib) {}

    CDIBManager* m_store = nullptr;
    CDIB* m_dib = nullptr;
};
