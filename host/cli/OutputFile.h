// Where `orvanta process` puts its output, by what OUT names:
// - a regular file, new or existing: written complete under no name (an
//   O_TMPFILE file in OUT's folder) and linked into place only when
//   complete, so no partial file is ever visible or left behind, even after
//   SIGKILL; an existing file's permission bits and owner are kept. Where
//   the file system has no unnamed files, a short hidden name in the same
//   folder stands in (removed on failure or a caught signal);
// - a symbolic link: the same for the file it leads to; the link stays;
// - a FIFO, a character device or "-" (standard output): written directly,
//   in order, with no temporary file and no rename.
#pragma once

#include <sys/stat.h>

#include <string>

#include "CliCommon.h"

class OutputFile {
public:
    OutputFile() = default;
    // Discards the output unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Main thread. Opens what path names ("-": standard output). A FIFO's
    // open waits for a reader. Failure: it cannot be created (73), or a
    // caught stop signal (128 + its number).
    bool Open(const std::string& path, CliFailure* failure);
    // The descriptor to write to; it stays this object's.
    int Descriptor() const { return m_Descriptor; }
    // True when the output is written in place, with no rename.
    bool IsDirect() const { return m_Kind == Kind::kDirect || m_Kind == Kind::kStandardOutput; }
    bool IsStandardOutput() const { return m_Kind == Kind::kStandardOutput; }
    // Puts the complete output in place; false with a message (73), or
    // when a stop signal has arrived (128 + its number).
    bool Commit(CliFailure* failure);

private:
    enum class Kind { kNone, kUnnamed, kNamed, kDirect, kStandardOutput };

    bool OpenRegular(CliFailure* failure);
    bool LinkUnnamed(std::string* linkedPath);
    void KeepExistingAttributes();
    bool KeepExistingOwner();
    CliFailure CannotCreate(const std::string& reason) const;

    Kind m_Kind = Kind::kNone;
    std::string m_Path;    // as given, for messages
    std::string m_Target;  // the file written, symbolic links followed
    std::string m_TemporaryPath;
    int m_Descriptor = -1;
    bool m_Exists = false;
    struct stat m_Existing = {};
    bool m_Committed = false;
};
