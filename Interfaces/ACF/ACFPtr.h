// ACFPtr<T>: an owning pointer to a component-framework interface. It holds
// one reference or null and releases it when destroyed or reassigned.
// Dereferencing a null ACFPtr throws the integer ACF_E_POINTER.
#pragma once

#include <utility>

#include "acfunknown.h"

template <class T>
class ACFPtr {
public:
    ACFPtr() = default;
    // Shares p: adds a reference.
    explicit ACFPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    // Queries unknown for iid; stays null when unknown is null or lacks the interface.
    ACFPtr(const acfIID& iid, IACFUnknown* unknown) {
        void* out = nullptr;
        if (unknown && unknown->QueryInterface(iid, &out) == ACF_OK) m_p = static_cast<T*>(out);
    }
    ACFPtr(const ACFPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    ACFPtr(ACFPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ACFPtr() { reset(); }

    ACFPtr& operator=(const ACFPtr& other) {
        ACFPtr copy(other);
        swap(copy);
        return *this;
    }
    ACFPtr& operator=(ACFPtr&& other) noexcept {
        ACFPtr moved(std::move(other));
        swap(moved);
        return *this;
    }
    // Shares p: adds a reference to it, releases the one held before.
    ACFPtr& operator=(T* p) {
        ACFPtr shared(p);
        swap(shared);
        return *this;
    }

    // Releases the held reference, if any.
    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    // Takes over a reference the caller already owns (no AddRef).
    void attach(T* p) {
        reset();
        m_p = p;
    }
    // Gives the held reference to the caller (no Release).
    T* detach() { return std::exchange(m_p, nullptr); }
    void swap(ACFPtr& other) noexcept { std::swap(m_p, other.m_p); }

    T* get() const { return m_p; }
    // Throws the integer ACF_E_POINTER when null.
    T* operator->() const {
        if (!m_p) throw ACFRESULT(ACF_E_POINTER);
        return m_p;
    }
    T& operator*() const { return *operator->(); }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator!() const { return m_p == nullptr; }

private:
    T* m_p = nullptr;
};
