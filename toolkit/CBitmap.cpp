#include "CBitmap.h"

#include <sys/stat.h>

#include <cstring>

#include "BMPImageDecoder.h"
#include "CDrawContext.h"
#include "CResourceBundle.h"

namespace VSTGUI {

const char* const CBitmap::kExtensions[4] = {"png", "bmp", "jpg", "pict"};

CBitmap::CBitmap(const CResourceDescription& description) : m_description(description) {
    loadFromBundle();
}

CBitmap::CBitmap(CCoord width, CCoord height) {
    if (width < 1 || height < 1) return;
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
    }
}

CBitmap::~CBitmap() {
    if (m_surface) cairo_surface_destroy(m_surface);
}

CCoord CBitmap::getWidth() const {
    return m_surface ? cairo_image_surface_get_width(m_surface) : 0;
}

CCoord CBitmap::getHeight() const {
    return m_surface ? cairo_image_surface_get_height(m_surface) : 0;
}

bool CBitmap::loadFromBundle() {
    if (!gBundleRef) return false;
    const std::string name = m_description.getResourceName();
    if (name.empty()) return false;
    for (const char* extension : kExtensions) {
        const std::string path = gBundleRef->pathFor(name + "." + extension);
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (cairo_surface_t* surface = loadFile(path, extension)) {
            m_surface = surface;
            m_filePath = path;
            return true;
        }
    }
    return false;
}

cairo_surface_t* CBitmap::loadFile(const std::string& path, const char* extension) {
    cairo_surface_t* surface = nullptr;
    if (std::strcmp(extension, "png") == 0) {
        surface = cairo_image_surface_create_from_png(path.c_str());
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            return nullptr;
        }
        // Draw everything from one pixel format.
        if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
            const int width = cairo_image_surface_get_width(surface);
            const int height = cairo_image_surface_get_height(surface);
            cairo_surface_t* converted = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
            cairo_t* cr = cairo_create(converted);
            cairo_set_source_surface(cr, surface, 0, 0);
            cairo_paint(cr);
            cairo_destroy(cr);
            cairo_surface_destroy(surface);
            surface = converted;
        }
    } else if (std::strcmp(extension, "bmp") == 0) {
        surface = BMPImageDecoder::decodeFile(path);
    }
    return surface;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha) {
    if (!context || !m_surface || rect.isEmpty()) return;
    cairo_t* cr = context->getCairo();
    cairo_save(cr);
    // The picture placed so that its point `offset` lands on rect's top-left
    // corner, limited to rect.
    CRect covered(CPoint(rect.left - offset.x, rect.top - offset.y), CPoint(getWidth(), getHeight()));
    covered.bound(rect);
    cairo_rectangle(cr, covered.left, covered.top, covered.getWidth(), covered.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, m_surface, rect.left - offset.x, rect.top - offset.y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(cr, alpha * context->getGlobalAlpha());
    cairo_restore(cr);
}

}  // namespace VSTGUI
