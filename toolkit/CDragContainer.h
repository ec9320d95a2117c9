// What is being dragged over a view: a list of typed items (files or text).
// The platform layer of this system delivers no drags itself; hosts and
// tests may build one and hand it to a frame's drag handlers.
#pragma once

#include <string>
#include <vector>

#include "CBaseObject.h"

namespace VSTGUI {

class CDragContainer : public CBaseObject {
public:
    enum Type { kFile = 0, kText = 1, kUnknown = -1 };

    void addItem(Type type, const std::string& data) { m_items.push_back({type, data}); }
    int32 getCount() const { return int32(m_items.size()); }
    // The item's text or file path and its type; null and kUnknown past the end.
    const char* getItem(int32 index, Type& type) const {
        if (index < 0 || index >= getCount()) {
            type = kUnknown;
            return nullptr;
        }
        type = m_items[size_t(index)].type;
        return m_items[size_t(index)].data.c_str();
    }

private:
    struct Item {
        Type type;
        std::string data;
    };
    std::vector<Item> m_items;
};

}  // namespace VSTGUI
