// Bitmap lookup and the bitmap-file decoder on good and malformed files.
#include <gtest/gtest.h>

#include <algorithm>

#include "ToolkitTestSupport.h"
#include "toolkit/BMPImageDecoder.h"

using namespace VSTGUI;
using toolkit_test::ScratchFolder;

namespace {

// A minimal uncompressed bitmap file: 24 or 32 bits, bottom-up unless topDown.
std::vector<uint8_t> makeBMP(int32_t width, int32_t height, uint16_t bits, bool topDown,
                             uint32_t pixelBGR) {
    const size_t stride = (size_t(width) * bits / 8 + 3) & ~size_t(3);
    const size_t pixelBytes = stride * size_t(height);
    std::vector<uint8_t> data(54 + pixelBytes, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    data[0] = 'B';
    data[1] = 'M';
    // Size, pixel offset, header size, width, height; then one plane of `bits` bits.
    const uint32_t fields[] = {uint32_t(data.size()), 0,       54, 40,
                               uint32_t(width),       uint32_t(topDown ? -height : height)};
    for (size_t i = 0; i < 6; ++i) put32(2 + 4 * i, fields[i]);
    data[26] = 1;
    data[28] = uint8_t(bits);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (size_t byte = 0; byte < 3; ++byte)
                data[54 + size_t(y) * stride + size_t(x) * bits / 8 + byte] = uint8_t(pixelBGR >> (8 * byte));
    return data;
}

// Points the toolkit at a folder for the lifetime of the object.
struct BundleScope {
    explicit BundleScope(const std::string& folder) : bundle(folder) { gBundleRef = &bundle; }
    ~BundleScope() { gBundleRef = nullptr; }
    CResourceBundle bundle;
};

}  // namespace

TEST(ResourceDescription, IdentifierBecomesFiveDigitName) {
    const struct { int32 id; const char* name; } cases[] = {
        {31010, "bmp31010"}, {7, "bmp00007"}, {0, "bmp00000"}, {123456, "bmp123456"}};
    for (const auto& c : cases) EXPECT_EQ(CResourceDescription(c.id).getResourceName(), c.name);
    EXPECT_EQ(CResourceDescription("panel").getResourceName(), "panel");
}

TEST(BitmapLookup, ExtensionOrderAndFallThrough) {
    // Which files exist for bmp31010 (kNoBundle: the toolkit is pointed at no folder at all), and
    // what the lookup must end up with.
    enum FileKind { kGoodPNG, kBrokenPNG, kGoodBMP, kAnyJPG, kNoBundle };
    const struct {
        const char* description;
        std::vector<std::pair<const char*, FileKind>> files;
        const char* expectedExtension;  // null: stays empty
        int width;
    } cases[] = {
        {"png alone", {{"png", kGoodPNG}}, "png", 8},
        {"bmp alone", {{"bmp", kGoodBMP}}, "bmp", 5},
        {"png wins over bmp", {{"png", kGoodPNG}, {"bmp", kGoodBMP}}, "png", 8},
        {"broken png falls through to bmp", {{"png", kBrokenPNG}, {"bmp", kGoodBMP}}, "bmp", 5},
        {"jpg cannot be decoded here", {{"jpg", kAnyJPG}}, nullptr, 0},
        {"nothing there", {}, nullptr, 0},
        {"no bundle, though the png is there", {{"png", kGoodPNG}, {"", kNoBundle}}, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ScratchFolder folder;
        for (const auto& file : c.files) {
            const std::string path = folder.file(std::string("bmp31010.") + file.first);
            if (file.second == kGoodPNG) toolkit_test::writePNG(path, 8, 12, 0xFF0000);
            if (file.second == kBrokenPNG) toolkit_test::writeFile(path, {0x89, 'P', 'N', 'G', 0, 1});
            if (file.second == kGoodBMP) toolkit_test::writeFile(path, makeBMP(5, 3, 24, false, 0x00FF00));
            if (file.second == kAnyJPG) toolkit_test::writeFile(path, {0xFF, 0xD8, 0xFF, 0xE0});
        }
        BundleScope scope(folder.path());
        if (!c.files.empty() && c.files.back().second == kNoBundle) gBundleRef = nullptr;
        OwnedPointer<CBitmap> bitmap(new CBitmap(CResourceDescription(31010)));
        EXPECT_EQ(bitmap->isLoaded(), c.expectedExtension != nullptr);
        EXPECT_EQ(bitmap->getWidth(), c.width);
        if (!c.width) {
            EXPECT_EQ(bitmap->getHeight(), 0);
        }
        if (c.expectedExtension) {
            EXPECT_EQ(bitmap->getFilePath(), folder.file(std::string("bmp31010.") + c.expectedExtension));
        }
    }
}

TEST(BMPImageDecoder, AcceptsUncompressedAndRefusesMalformed) {
    const auto good24 = makeBMP(3, 2, 24, false, 0x102030);
    // good24 with bytes from `at` on replaced.
    auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
        auto data = good24;
        std::copy(bytes.begin(), bytes.end(), data.begin() + long(at));
        return data;
    };
    const struct {
        const char* description;
        std::vector<uint8_t> data;
        int width, height;  // 0: refused
        uint32_t firstPixel;
    } cases[] = {
        {"24-bit bottom-up", good24, 3, 2, 0xFF102030u},
        {"32-bit top-down", makeBMP(2, 4, 32, true, 0xABCDEF), 2, 4, 0xFFABCDEFu},
        {"one byte short", std::vector<uint8_t>(good24.begin(), good24.end() - 1), 0, 0, 0},
        {"wrong magic", patched(0, {'X'}), 0, 0, 0},
        {"run-length compressed", patched(30, {1}), 0, 0, 0},
        {"8 bits per pixel", patched(28, {8}), 0, 0, 0},
        {"width beyond the limit", patched(21, {0x7F}), 0, 0, 0},
        {"most negative height", patched(22, {0, 0, 0, 0x80}), 0, 0, 0},
        {"pixels overlapping the header", patched(10, {20}), 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        cairo_surface_t* surface = BMPImageDecoder::decode(c.data.data(), c.data.size());
        if (c.width == 0) {
            EXPECT_EQ(surface, nullptr);
            continue;
        }
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(cairo_image_surface_get_width(surface), c.width);
        EXPECT_EQ(cairo_image_surface_get_height(surface), c.height);
        EXPECT_EQ(*reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface)), c.firstPixel);
        cairo_surface_destroy(surface);
    }
    EXPECT_EQ(BMPImageDecoder::decode(nullptr, 100), nullptr);
}

TEST(Rect, BoundUniteAndEdges) {
    CRect a(0, 0, 10, 10);
    EXPECT_TRUE(a.pointInside(CPoint(0, 0)));
    EXPECT_FALSE(a.pointInside(CPoint(10, 5))) << "right edge lies outside";
    EXPECT_EQ(CRect(a).bound(CRect(5, 5, 20, 20)), CRect(5, 5, 10, 10));
    EXPECT_TRUE(CRect(a).bound(CRect(20, 20, 30, 30)).isEmpty());
    EXPECT_EQ(CRect(a).unite(CRect(20, 20, 30, 30)), CRect(0, 0, 30, 30));
    EXPECT_EQ(CRect().unite(a), a);
    EXPECT_EQ(CRect(CPoint(19, 41), CPoint(60, 60)), CRect(19, 41, 79, 101));
}
