#include "OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "StopSignals.h"

namespace {
constexpr int kLargestLinkChain = 40;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// path with its symbolic links followed to the file they lead to (which
// may not exist yet); false with errno set for a loop or an unreadable link.
bool FollowLinks(const std::string& path, std::string* target) {
    std::string current = path;
    for (int hop = 0; hop < kLargestLinkChain; ++hop) {
        struct stat status;
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            *target = current;
            return true;
        }
        std::vector<char> link(static_cast<size_t>(status.st_size > 0 ? status.st_size : 4096) + 1);
        const ssize_t length = readlink(current.c_str(), link.data(), link.size());
        if (length < 0) return false;
        const std::string next(link.data(), static_cast<size_t>(length));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// The process's file creation mask, read without changing it (umask()
// can only be read by setting it, which would race with files being
// created on other threads).
mode_t FileCreationMask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 022;
}

// Keeps the stop signals from arriving between the two steps of putting the
// file in place, so the steps are not cut apart.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &m_Previous);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_Previous, nullptr); }

private:
    sigset_t m_Previous;
};
}  // namespace

OutputFile::~OutputFile() {
    if (m_Descriptor >= 0 && m_Kind != Kind::kStandardOutput) close(m_Descriptor);
    if (m_Kind == Kind::kNamed && !m_Committed) unlink(m_TemporaryPath.c_str());
}

CliFailure OutputFile::CannotCreate(const std::string& reason) const {
    return CliFailure{ExitCode::kCannotCreate, "cannot create output '" + m_Path + "': " + reason};
}

bool OutputFile::Open(const std::string& path, CliFailure* failure) {
    m_Path = path;
    if (path == "-") {
        m_Kind = Kind::kStandardOutput;
        m_Descriptor = STDOUT_FILENO;
        return true;
    }
    if (path.empty() || path.back() == '/') {
        *failure = CannotCreate("it is a folder");
        return false;
    }
    if (!FollowLinks(path, &m_Target)) {
        *failure = CannotCreate(std::strerror(errno));
        return false;
    }
    m_Exists = stat(m_Target.c_str(), &m_Existing) == 0;
    if (!m_Exists || S_ISREG(m_Existing.st_mode)) return OpenRegular(failure);
    if (S_ISDIR(m_Existing.st_mode)) {
        *failure = CannotCreate("it is a folder");
        return false;
    }
    if (!S_ISFIFO(m_Existing.st_mode) && !S_ISCHR(m_Existing.st_mode)) {
        *failure = CannotCreate("it is neither a file, a FIFO nor a character device");
        return false;
    }
    m_Descriptor = open(m_Target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (m_Descriptor < 0) {
        *failure = errno == EINTR && StopSignals::Arrived() ? StopSignals::Failure() : CannotCreate(std::strerror(errno));
        return false;
    }
    m_Kind = Kind::kDirect;
    return true;
}

bool OutputFile::OpenRegular(CliFailure* failure) {
    const std::string folder = FolderOf(m_Target);
    // Read and write: some encoders read back what they wrote.
    m_Descriptor = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (m_Descriptor >= 0) {
        m_Kind = Kind::kUnnamed;
    } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
        // No unnamed files here: a short name, so any valid OUT name works.
        std::string pattern = folder + "/.orvanta-XXXXXX";
        m_Descriptor = mkostemp(&pattern[0], O_CLOEXEC);
        if (m_Descriptor >= 0) {
            m_Kind = Kind::kNamed;
            m_TemporaryPath = pattern;
            // mkostemp makes the file private; give it the permissions a new file gets.
            fchmod(m_Descriptor, 0666 & ~FileCreationMask());
        }
    }
    if (m_Descriptor < 0) {
        *failure = CannotCreate(std::strerror(errno));
        return false;
    }
    if (m_Exists) KeepExistingAttributes();
    return true;
}

void OutputFile::KeepExistingAttributes() {
    KeepExistingOwner();
    // After the owner: a change of owner clears the set-id bits.
    fchmod(m_Descriptor, m_Existing.st_mode & 07777);
}

bool OutputFile::KeepExistingOwner() {
    struct stat created;
    if (fstat(m_Descriptor, &created) != 0) return false;
    if (created.st_uid == m_Existing.st_uid && created.st_gid == m_Existing.st_gid) return true;
    // Allowed for root, and the group alone for a group the user belongs
    // to; otherwise the file stays the user's, as any file the user writes.
    return fchown(m_Descriptor, m_Existing.st_uid, m_Existing.st_gid) == 0 ||
           fchown(m_Descriptor, static_cast<uid_t>(-1), m_Existing.st_gid) == 0;
}

bool OutputFile::LinkUnnamed(std::string* linkedPath) {
    static std::atomic<int> counter{0};
    const std::string procPath = "/proc/self/fd/" + std::to_string(m_Descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *linkedPath = FolderOf(m_Target) + "/.orvanta-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        int linked = linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, linkedPath->c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT)  // no /proc: the privileged way
            linked = linkat(m_Descriptor, "", AT_FDCWD, linkedPath->c_str(), AT_EMPTY_PATH);
        if (linked == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

bool OutputFile::Commit(CliFailure* failure) {
    SignalsHeld held;
    // A stop signal that came before this point wins: nothing is put in place.
    if (StopSignals::Arrived()) {
        *failure = StopSignals::Failure();
        return false;
    }
    if (IsDirect()) {
        m_Committed = true;
        return true;
    }
    std::string placed = m_TemporaryPath;
    // An unnamed file gets a name only now, complete, and at once takes the
    // final one: a file cannot be linked over an existing name.
    if (m_Kind == Kind::kUnnamed && !LinkUnnamed(&placed)) {
        *failure = CannotCreate(std::strerror(errno));
        return false;
    }
    if (rename(placed.c_str(), m_Target.c_str()) != 0) {
        const int error = errno;
        unlink(placed.c_str());
        m_Committed = true;  // nothing left to remove
        *failure = CannotCreate(std::strerror(error));
        return false;
    }
    m_Committed = true;
    return true;
}
