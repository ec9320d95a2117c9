// Reference counting shared by views, bitmaps and fonts. An object starts
// with one reference, owned by whoever created it; remember() adds one,
// forget() drops one and deletes the object at zero. User-interface thread
// only: counts are not atomic.
#pragma once

#include <memory>

#include "VSTGUITypes.h"

namespace VSTGUI {

class CBaseObject {
public:
    CBaseObject() = default;
    // A copy is a new object with its own single reference.
    CBaseObject(const CBaseObject&) : m_nbReference(1) {}
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    void remember() { ++m_nbReference; }
    // Drops one reference; deletes the object when none remains.
    void forget();
    int32 getNbReference() const { return m_nbReference; }

private:
    int32 m_nbReference = 1;
};

// Deleter that drops the holder's reference instead of deleting.
struct CBaseObjectForgetter {
    void operator()(CBaseObject* object) const {
        if (object) object->forget();
    }
};

// A single-owner handle holding one reference to a toolkit object.
template <class T>
using OwnedPointer = std::unique_ptr<T, CBaseObjectForgetter>;

// Remembers object for the duration of a scope, so that it survives a
// callback that might drop the last other reference.
class CBaseObjectGuard {
public:
    explicit CBaseObjectGuard(CBaseObject* object) : m_object(object) {
        if (m_object) m_object->remember();
    }
    ~CBaseObjectGuard() {
        if (m_object) m_object->forget();
    }
    CBaseObjectGuard(const CBaseObjectGuard&) = delete;
    CBaseObjectGuard& operator=(const CBaseObjectGuard&) = delete;

private:
    CBaseObject* m_object;
};

}  // namespace VSTGUI
