// A control drawn from a filmstrip: one bitmap holding every picture of the
// control, frame under frame, each heightOfOneImage pixels tall.
#pragma once

#include "VSTGUITypes.h"

namespace VSTGUI {

class IMultiBitmapControl {
public:
    virtual ~IMultiBitmapControl() = default;

    virtual void setHeightOfOneImage(const CCoord& height) { m_heightOfOneImage = height; }
    virtual CCoord getHeightOfOneImage() const { return m_heightOfOneImage; }
    virtual void setNumSubPixmaps(int32 numSubPixmaps) { m_subPixmaps = numSubPixmaps; }
    virtual int32 getNumSubPixmaps() const { return m_subPixmaps; }

protected:
    IMultiBitmapControl() = default;

    CCoord m_heightOfOneImage = 0;
    int32 m_subPixmaps = 0;
};

}  // namespace VSTGUI
