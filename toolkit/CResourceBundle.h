// Where the toolkit finds resources: a folder of files, the module's own
// resource folder. gBundleRef points at the bundle in use; the editor sets it
// before loading any bitmap. Null means no bundle: every lookup fails and
// bitmaps stay empty.
#pragma once

#include <string>

namespace VSTGUI {

class CResourceBundle {
public:
    explicit CResourceBundle(std::string resourceFolder = std::string());

    const std::string& getResourceFolder() const { return m_resourceFolder; }
    void setResourceFolder(const std::string& folder) { m_resourceFolder = folder; }
    // Path of fileName inside the folder (fileName relative, without folder).
    std::string pathFor(const std::string& fileName) const;
    // True when the folder exists and is a directory.
    bool exists() const;

private:
    std::string m_resourceFolder;
};

// User-interface thread: set by the editor, read by CBitmap.
extern CResourceBundle* gBundleRef;

}  // namespace VSTGUI
