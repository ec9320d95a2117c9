#include "CResourceBundle.h"

#include <sys/stat.h>

#include <utility>

namespace VSTGUI {

CResourceBundle* gBundleRef = nullptr;

CResourceBundle::CResourceBundle(std::string resourceFolder)
    : m_resourceFolder(std::move(resourceFolder)) {}

std::string CResourceBundle::pathFor(const std::string& fileName) const {
    if (m_resourceFolder.empty()) return fileName;
    if (m_resourceFolder.back() == '/') return m_resourceFolder + fileName;
    return m_resourceFolder + "/" + fileName;
}

bool CResourceBundle::exists() const {
    struct stat info;
    return !m_resourceFolder.empty() && stat(m_resourceFolder.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

}  // namespace VSTGUI
