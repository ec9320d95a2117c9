// The bundle as built: its layout, its dynamic symbol table (the seven entry
// points and nothing else), where the editor looks for resources, and how
// the loader answers paths that are not a usable module.
#include <elf.h>
#include <gtest/gtest.h>
#include <math.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "ModuleTestSupport.h"
#include "effect/editor/Orvanta_GUI.h"
#include "host/runtime/PluginModule.h"

namespace {

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class T>
const T* At(const std::vector<char>& image, size_t offset) {
    return offset + sizeof(T) <= image.size() ? reinterpret_cast<const T*>(image.data() + offset) : nullptr;
}

// The names of the global and weak symbols a 64-bit ELF file defines in its
// dynamic symbol table (what another program can look up in it).
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    const std::vector<char> image = ReadFile(path);
    const auto* header = At<Elf64_Ehdr>(image, 0);
    if (!header || std::string(reinterpret_cast<const char*>(header->e_ident), 4) != ELFMAG ||
        header->e_ident[EI_CLASS] != ELFCLASS64)
        return names;
    for (unsigned i = 0; i < header->e_shnum; ++i) {
        const auto* section = At<Elf64_Shdr>(image, header->e_shoff + i * sizeof(Elf64_Shdr));
        if (!section || section->sh_type != SHT_DYNSYM) continue;
        const auto* strings = At<Elf64_Shdr>(image, header->e_shoff + section->sh_link * sizeof(Elf64_Shdr));
        if (!strings) break;
        for (size_t offset = 0; offset + sizeof(Elf64_Sym) <= section->sh_size; offset += sizeof(Elf64_Sym)) {
            const auto* symbol = At<Elf64_Sym>(image, section->sh_offset + offset);
            const unsigned binding = ELF64_ST_BIND(symbol->st_info);
            if (symbol->st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
            if (strings->sh_offset + symbol->st_name < image.size())
                names.insert(image.data() + strings->sh_offset + symbol->st_name);
        }
    }
    return names;
}

TEST(Bundle, ExportsExactlyTheSevenEntryPoints) {
    const std::set<std::string> expected(std::begin(kACFEntryPointNames), std::end(kACFEntryPointNames));
    EXPECT_EQ(DefinedDynamicSymbols(moduletest::BundleBinaryPath()), expected);
}

TEST(Bundle, ResourcesSitWhereTheEditorLooks) {
    // The loader's resource folder for each form of the path: below.
    const std::string resources = moduletest::BundlePath() + "/Contents/Resources";
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(moduletest::BundleBinaryPath()), resources);

    std::vector<std::string> files = {Orvanta::kPageTableFile};
    for (int32_t id : {31010, 31011, 31013, 31015, 31021, 31022, 31023, 31024, 31025, 31026, 31027}) {
        char name[32];
        std::snprintf(name, sizeof name, "bmp%05d.png", static_cast<int>(id));
        files.push_back(name);
    }
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(ReadFile(resources + "/" + file), ReadFile(std::string(ORVANTA_SOURCE_DIR) + "/resources/" +
                                                             (file == Orvanta::kPageTableFile ? "" : "bitmaps/") + file));
    }
}

TEST(Bundle, LoadsFromTheFolderOrTheBinary) {
    for (const std::string& path : {moduletest::BundlePath(), moduletest::BundlePath() + "/",
                                    moduletest::BundleBinaryPath()}) {
        SCOPED_TRACE(path);
        std::string error;
        auto module = PluginModule::LoadBundle(path, &error);
        ASSERT_TRUE(module) << error;
        EXPECT_FALSE(module->IsLinked());
        EXPECT_EQ(module->Origin(), moduletest::BundleBinaryPath());
        EXPECT_EQ(module->ResourceDirectory(), moduletest::BundlePath() + "/Contents/Resources");
        EXPECT_EQ(module->Effect().effectID, "com.quillfern.aax.orvanta");
    }
}

TEST(Bundle, PathsThatAreNoModuleAreRefusedWithAReason) {
    // A real shared library without the entry points: the one cos() lives in.
    Dl_info mathLibrary{};
    double (*cosine)(double) = &::cos;
    ASSERT_NE(dladdr(reinterpret_cast<void*>(cosine), &mathLibrary), 0);
    const std::string empty = testing::TempDir() + "orvanta-empty.aaxplugin";
    ASSERT_EQ(std::system(("mkdir -p '" + empty + "'").c_str()), 0);
    const std::string notELF = std::string(ORVANTA_SOURCE_DIR) + "/resources/ZirorovAruva_d5.xml";
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {"/nonexistent/Orvanta.aaxplugin", "no such plug-in"},
        {empty, "no module binary in bundle"},
        {notELF, "cannot load"},
        {mathLibrary.dli_fname, "no entry point ACFGetSDKVersion"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.path);
        std::string error;
        EXPECT_EQ(PluginModule::LoadBundle(test.path, &error), nullptr);
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
    }
}

TEST(Bundle, TheDefaultBundleIsTheBuildTreesOne) {
    // Test programs sit two folders below the build folder, like the
    // orvanta program sits one below it.
    EXPECT_EQ(PluginModule::DefaultBundlePath(), moduletest::BundlePath());
}

}  // namespace
