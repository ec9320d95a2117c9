#include "CFontDesc.h"

namespace VSTGUI {

CFontDesc::CFontDesc(const char* name, CCoord size, int32 style)
    : m_name(name ? name : ""), m_size(size), m_style(style) {}

namespace {
// Process-lifetime font objects; never forgotten, so every CFontRef stays valid.
CFontDesc gSystemFont("Sans", 12);
CFontDesc gNormalFontVeryBig("Sans", 18);
CFontDesc gNormalFontBig("Sans", 14);
CFontDesc gNormalFont("Sans", 12);
CFontDesc gNormalFontSmall("Sans", 11);
CFontDesc gNormalFontSmaller("Sans", 10);
CFontDesc gNormalFontVerySmall("Sans", 9);
CFontDesc gSymbolFont("Symbol", 12);
}  // namespace

const CFontRef kSystemFont = &gSystemFont;
const CFontRef kNormalFontVeryBig = &gNormalFontVeryBig;
const CFontRef kNormalFontBig = &gNormalFontBig;
const CFontRef kNormalFont = &gNormalFont;
const CFontRef kNormalFontSmall = &gNormalFontSmall;
const CFontRef kNormalFontSmaller = &gNormalFontSmaller;
const CFontRef kNormalFontVerySmall = &gNormalFontVerySmall;
const CFontRef kSymbolFont = &gSymbolFont;

}  // namespace VSTGUI
