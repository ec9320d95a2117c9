// The bundle as built: layout, exported symbols, resources, and paths that are no usable module.
#include <elf.h>
#include <gtest/gtest.h>
#include <math.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
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

// The dynamic symbols a shared object defines, as nm lists them (version nodes left out).
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    FILE* listing = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
    if (!listing) return names;
    char address[64], type[8], name[256];
    while (std::fscanf(listing, "%63s %7s %255s", address, type, name) == 3)
        if (std::string(type) != "A") names.insert(name);
    EXPECT_EQ(pclose(listing), 0) << "nm cannot read " << path;
    return names;
}

TEST(Bundle, ExportsExactlyTheSevenEntryPoints) {
    const std::set<std::string> expected(std::begin(kACFEntryPointNames), std::end(kACFEntryPointNames));
    EXPECT_EQ(DefinedDynamicSymbols(moduletest::BundleBinaryPath()), expected);
}

TEST(Bundle, ResourcesSitWhereTheEditorLooks) {
    const std::string resources = moduletest::BundlePath() + "/Contents/Resources";
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(moduletest::BundleBinaryPath()), resources);

    std::vector<std::string> files = {Orvanta::kPageTableFile};
    for (int id : {31010, 31011, 31013, 31015, 31021, 31022, 31023, 31024, 31025, 31026, 31027})
        files.push_back("bmp" + std::to_string(id) + ".png");
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(ReadFile(resources + "/" + file), ReadFile(std::string(ORVANTA_SOURCE_DIR) + "/resources/" +
                                                             (file == Orvanta::kPageTableFile ? "" : "bitmaps/") + file));
    }
}

TEST(Bundle, LoadsFromTheFolderOrTheBinaryAndIsTheDefault) {
    // Test programs sit two folders below the build folder, the orvanta program one.
    EXPECT_EQ(PluginModule::DefaultBundlePath(Orvanta::kBundleName), moduletest::BundlePath());
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
    struct Case { std::string path; std::string reason; };
    const Case cases[] = {
        {"/nonexistent/Orvanta.aaxplugin", "no such plug-in"},
        {empty, "no module binary in bundle"},
        {notELF, "not a loadable plug-in module: " + notELF + ": not an ELF file"},
        {mathLibrary.dli_fname, "no entry point ACFGetSDKVersion"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.path);
        std::string error;
        EXPECT_EQ(PluginModule::LoadBundle(test.path, &error), nullptr);
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
    }
}

// Damaged binaries are refused before dlopen maps them (a truncated one used to raise SIGBUS).
TEST(Bundle, DamagedBinariesAreRefusedBeforeLoading) {
    const std::vector<char> image = ReadFile(moduletest::BundleBinaryPath());
    ASSERT_GT(image.size(), sizeof(Elf64_Ehdr));
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    const uint64_t size = image.size();
    using Edit = std::function<void(Elf64_Ehdr&)>;
    struct Case { const char* what; Edit edit; uint64_t bytesKept; std::string reason; };
    const Case cases[] = {
        {"32-bit class", [](Elf64_Ehdr& h) { h.e_ident[EI_CLASS] = ELFCLASS32; }, size, "an ELF file of the other class (32-bit)"},
        {"big-endian", [](Elf64_Ehdr& h) { h.e_ident[EI_DATA] = ELFDATA2MSB; }, size, "an ELF file of the other byte order"},
        {"another machine", [](Elf64_Ehdr& h) { h.e_machine = EM_AARCH64; }, size, "an ELF file for another machine (machine 183)"},
        {"an executable", [](Elf64_Ehdr& h) { h.e_type = ET_EXEC; }, size, "an ELF file that is not a shared object"},
        {"no program headers", [](Elf64_Ehdr& h) { h.e_phnum = 0; }, size, "without valid program headers"},
        {"odd section header size", [](Elf64_Ehdr& h) { h.e_shentsize = 12; }, size, "malformed section headers"},
        {"one byte short", [](Elf64_Ehdr&) {}, size - 1,
         "its section headers end at byte " + std::to_string(size) + ", the file has " + std::to_string(size - 1) + " bytes"},
        {"section headers past the end", [&](Elf64_Ehdr& h) { h.e_shoff = size - h.e_shentsize + 1; }, size,
         "its section headers end at byte"},
        {"program headers at a wrapping offset", [](Elf64_Ehdr& h) { h.e_phoff = UINT64_MAX - 8; }, size,
         "its program headers end beyond the addressable range"},
        {"cut in half, no section headers", [](Elf64_Ehdr& h) { h.e_shnum = 0; }, size / 2, "its loaded segments end at byte"},
        {"cut inside the header", [](Elf64_Ehdr&) {}, 40, "it ends inside the ELF header"},
        {"three bytes", [](Elf64_Ehdr&) {}, 3, "not an ELF file"},
    };
    const std::string path = testing::TempDir() + "orvanta-damaged.so";
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        Elf64_Ehdr edited = header;
        test.edit(edited);
        std::vector<char> damaged(image.begin(), image.begin() + long(test.bytesKept));
        std::memcpy(damaged.data(), &edited, std::min(sizeof edited, damaged.size()));
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(damaged.data(), long(damaged.size()));
        std::string error;
        EXPECT_EQ(PluginModule::LoadBundle(path, &error), nullptr);
        EXPECT_NE(error.find("not a loadable plug-in module: " + path + ": "), std::string::npos) << error;
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
    }
    std::remove(path.c_str());
}

}  // namespace
