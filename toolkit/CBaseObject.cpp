#include "CBaseObject.h"

namespace VSTGUI {

void CBaseObject::forget() {
    if (--m_nbReference == 0) delete this;
}

}  // namespace VSTGUI
