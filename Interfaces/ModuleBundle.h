// How a module bundle is laid out on this platform: the folder
// <name>.aaxplugin holds the module binary <name>.so in kBinaryFolder and
// its resources (bitmaps, page table) in kResourceFolder. The host loads
// the binary from there; the module finds its resources from its own path.
#pragma once

namespace BundleLayout {
constexpr const char* kBinaryFolder = "Contents/x86_64-linux";
constexpr const char* kResourceFolder = "Contents/Resources";
constexpr const char* kExtension = ".aaxplugin";
}  // namespace BundleLayout
