#include "CResourceDescription.h"

#include <cstdio>

namespace VSTGUI {

std::string CResourceDescription::getResourceName() const {
    if (m_type == kStringType) return m_name;
    char name[32];
    std::snprintf(name, sizeof(name), "bmp%05d", static_cast<int>(m_id));
    return name;
}

}  // namespace VSTGUI
