#include "host/runtime/ElfImageCheck.h"

#include <elf.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

#if defined(__x86_64__)
constexpr uint16_t kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr uint16_t kMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr uint16_t kMachine = EM_386;
#else
#error "unknown machine: name its ELF machine here"
#endif

#if UINTPTR_MAX > 0xFFFFFFFFu
using Ehdr = Elf64_Ehdr;
using Phdr = Elf64_Phdr;
using Shdr = Elf64_Shdr;
constexpr unsigned char kClass = ELFCLASS64;
#else
using Ehdr = Elf32_Ehdr;
using Phdr = Elf32_Phdr;
using Shdr = Elf32_Shdr;
constexpr unsigned char kClass = ELFCLASS32;
#endif

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kByteOrder = ELFDATA2LSB;
#else
constexpr unsigned char kByteOrder = ELFDATA2MSB;
#endif

// True when count entries of entrySize bytes from offset end within size.
// *end is where they end, or UINT64_MAX when that is beyond 64 bits.
bool TableInside(uint64_t offset, uint64_t count, uint64_t entrySize, uint64_t size, uint64_t* end) {
    uint64_t bytes = 0;
    if (__builtin_mul_overflow(count, entrySize, &bytes) || __builtin_add_overflow(offset, bytes, end))
        *end = UINT64_MAX;
    return *end <= size;
}

std::string Truncated(const char* what, uint64_t end, uint64_t size) {
    return std::string("the file is truncated or damaged: its ") + what + " end " +
           (end == UINT64_MAX ? std::string("beyond the addressable range") : "at byte " + std::to_string(end)) +
           ", the file has " + std::to_string(size) + " bytes";
}

std::string HeaderProblem(const Ehdr& header) {
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return "not an ELF file";
    if (header.e_ident[EI_CLASS] != kClass)
        return std::string("an ELF file of the other class (") + (kClass == ELFCLASS64 ? "32" : "64") +
               "-bit); this program loads " + (kClass == ELFCLASS64 ? "64" : "32") + "-bit modules";
    if (header.e_ident[EI_DATA] != kByteOrder) return "an ELF file of the other byte order";
    if (header.e_machine != kMachine)
        return "an ELF file for another machine (machine " + std::to_string(header.e_machine) + ")";
    if (header.e_type != ET_DYN) return "an ELF file that is not a shared object";
    if (header.e_phnum == 0 || header.e_phentsize != sizeof(Phdr)) return "an ELF file without valid program headers";
    if (header.e_shnum != 0 && header.e_shentsize != sizeof(Shdr)) return "an ELF file with malformed section headers";
    return "";
}

}  // namespace

std::string ElfImageProblem(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return "cannot be read";
    const std::streamoff length = file.tellg();
    if (length < 0) return "cannot be read";
    const uint64_t size = uint64_t(length);
    Ehdr header{};
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(&header), std::streamsize(std::min<uint64_t>(size, sizeof header))))
        return "cannot be read";
    if (size < SELFMAG || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return "not an ELF file";
    if (size < sizeof header) return "the file is truncated: it ends inside the ELF header";
    if (std::string problem = HeaderProblem(header); !problem.empty()) return problem;

    uint64_t end = 0;
    if (!TableInside(header.e_phoff, header.e_phnum, header.e_phentsize, size, &end))
        return Truncated("program headers", end, size);
    if (header.e_shnum != 0 && !TableInside(header.e_shoff, header.e_shnum, header.e_shentsize, size, &end))
        return Truncated("section headers", end, size);

    std::vector<Phdr> segments(header.e_phnum);
    file.seekg(std::streamoff(header.e_phoff));
    if (!file.read(reinterpret_cast<char*>(segments.data()), std::streamsize(segments.size() * sizeof(Phdr))))
        return "cannot be read";
    for (const Phdr& segment : segments) {
        if (segment.p_type != PT_LOAD && segment.p_type != PT_DYNAMIC) continue;
        if (!TableInside(segment.p_offset, 1, segment.p_filesz, size, &end))
            return Truncated(segment.p_type == PT_LOAD ? "loaded segments" : "dynamic section", end, size);
    }
    return "";
}
