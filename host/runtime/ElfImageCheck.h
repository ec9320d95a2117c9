// A look at a module binary before dlopen maps it. The loader maps the
// file's segments and reads its headers without checking that they lie
// inside the file, so a truncated or damaged binary kills the process with
// SIGBUS or SIGSEGV inside dlopen instead of failing. This check refuses
// such a file first: it must be a complete ELF shared object of this
// program's class, byte order and machine whose program headers, loaded
// segments and section headers all lie inside the file.
//
// Any thread; reads the file, changes nothing.
#pragma once

#include <string>

// Empty when the file at path passes; otherwise why it does not ("the file
// is truncated: its section headers end at byte 9000 of 4096").
std::string ElfImageProblem(const std::string& path);
