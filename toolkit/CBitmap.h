// A picture held as a cairo ARGB32 image surface. Built from a resource
// description, it is looked up in the bundle that gBundleRef points at under
// the resource's name with the extensions "png", "bmp", "jpg" and "pict", in
// that order; the first file that exists and decodes wins. PNG files are
// decoded by cairo and BMP files by BMPImageDecoder; this platform has no
// decoder for JPEG or PICT, so such files are passed over. A bitmap whose
// resource is not found stays empty: width and height 0, drawing nothing.
#pragma once

#include <cairo.h>

#include <string>

#include "CBaseObject.h"
#include "CRect.h"
#include "CResourceDescription.h"

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CBaseObject {
public:
    // User-interface thread; reads files from the bundle's resource folder.
    explicit CBitmap(const CResourceDescription& description);
    // A blank, fully transparent bitmap of the given size, to draw into.
    CBitmap(CCoord width, CCoord height);
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;

    CCoord getWidth() const;
    CCoord getHeight() const;
    bool isLoaded() const { return m_surface != nullptr; }
    const CResourceDescription& getResourceDescription() const { return m_description; }
    // The file the picture came from; empty when not loaded from a file.
    const std::string& getFilePath() const { return m_filePath; }
    // The pixels, for drawing into the bitmap; null when empty.
    cairo_surface_t* getSurface() const { return m_surface; }

    // Copies the part of the picture that starts at offset, as large as rect,
    // into rect of the context, with the given opacity.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
              float alpha = 1.0f);

    // The extensions tried, in order.
    static const char* const kExtensions[4];

    // Decodes the picture file at path, of the type its extension names;
    // null when it cannot be read or decoded. The caller owns the surface.
    // Any thread.
    static cairo_surface_t* loadFile(const std::string& path, const char* extension);

private:
    bool loadFromBundle();

    CResourceDescription m_description;
    cairo_surface_t* m_surface = nullptr;
    std::string m_filePath;
};

}  // namespace VSTGUI
