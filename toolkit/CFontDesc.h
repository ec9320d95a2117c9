// A font description: family name, size in pixels and style bits. Text is
// rendered by cairo, which resolves the family through the system's font
// configuration ("Sans" is the platform's default sans-serif face).
#pragma once

#include <string>

#include "CBaseObject.h"

namespace VSTGUI {

enum CTxtFace : int32 {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
};

class CFontDesc : public CBaseObject {
public:
    CFontDesc(const char* name = "Sans", CCoord size = 12, int32 style = kNormalFace);

    const std::string& getName() const { return m_name; }
    CCoord getSize() const { return m_size; }
    int32 getStyle() const { return m_style; }
    void setName(const char* name) { m_name = name ? name : ""; }
    void setSize(CCoord size) { m_size = size; }
    void setStyle(int32 style) { m_style = style; }

private:
    std::string m_name;
    CCoord m_size;
    int32 m_style;
};

typedef CFontDesc* CFontRef;

// The toolkit's shared fonts; they live as long as the process.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

}  // namespace VSTGUI
