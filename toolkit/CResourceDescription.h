// Names a resource either by integer identifier or by file name. Bitmap
// identifier N is the resource name "bmp%05d" (bmp31010 for 31010).
#pragma once

#include <string>

#include "VSTGUITypes.h"

namespace VSTGUI {

class CResourceDescription {
public:
    enum Type { kIntegerType, kStringType };

    CResourceDescription(int32 id = 0) : m_type(kIntegerType), m_id(id) {}
    CResourceDescription(const char* name) : m_type(kStringType), m_id(0), m_name(name ? name : "") {}

    Type getType() const { return m_type; }
    int32 getID() const { return m_id; }
    // The resource's base name: "bmp%05d" of the identifier, or the given name.
    std::string getResourceName() const;

private:
    Type m_type;
    int32 m_id;
    std::string m_name;
};

}  // namespace VSTGUI
