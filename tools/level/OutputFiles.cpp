#include "OutputFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "world/FileKind.h"

namespace {

const int kMaxLinks = 40;  // as the kernel's own limit on following links

std::string Failure(const std::string& what)
{
    return what + ": " + strerror(errno);
}

// Follows symbolic links to the path of the file they name, which may not
// exist yet.
bool FollowLinks(std::string path, std::string* target, InputError* error)
{
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            *target = path;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof link)) {
            error->message = Failure("cannot follow the symbolic link");
            return false;
        }
        const std::string next(link, static_cast<size_t>(length));
        const size_t slash = path.rfind('/');
        path =
            next[0] == '/' || slash == std::string::npos ? next : path.substr(0, slash + 1) + next;
    }
    errno = ELOOP;
    error->message = Failure("cannot follow the symbolic link");
    return false;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// Gives the temporary the mode and owner the output will keep.
bool SetModeAndOwner(int fd, bool exists, const struct stat& existing)
{
    if (!exists) {
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    if ((existing.st_uid != geteuid() || existing.st_gid != getegid()) &&
        fchown(fd, existing.st_uid, existing.st_gid) != 0)
        return false;
    return fchmod(fd, existing.st_mode & 07777) == 0;
}

}  // namespace

OutputFiles::~OutputFiles()
{
    for (const Pending& file : pending_)
        unlink(file.temporary.c_str());
}

bool OutputFiles::Add(const std::string& path, const std::string& bytes, InputError* error)
{
    *error = InputError();
    error->file = path;
    Pending file;
    file.path = path;
    if (!FollowLinks(path, &file.target, error))
        return false;
    struct stat existing;
    const bool exists = stat(file.target.c_str(), &existing) == 0;
    const char* kind = exists ? NonRegularFileKind(existing.st_mode) : nullptr;
    if (kind != nullptr) {
        error->message = std::string("is ") + kind +
                         ", not a regular file: flyer-level writes only regular files";
        return false;
    }
    const std::string folder = FolderOf(file.target);
    struct stat place;
    if (stat(folder.c_str(), &place) != 0) {
        error->message = Failure("cannot create the output");
        return false;
    }
    file.key = std::to_string(place.st_dev) + ":" + std::to_string(place.st_ino) + "/" +
               file.target.substr(file.target.rfind('/') + 1);
    for (const Pending& other : pending_) {
        if (other.key == file.key) {
            error->message = "is the same file as the output " + other.path;
            return false;
        }
    }
    std::string name = folder + "/.flyer-XXXXXX";
    const int fd = mkstemp(&name[0]);
    if (fd < 0) {
        error->message = Failure("cannot create the output");
        return false;
    }
    file.temporary = name;
    pending_.push_back(file);
    if (!SetModeAndOwner(fd, exists, existing)) {
        error->message = Failure("cannot keep the output's mode and owner");
        close(fd);
        return false;
    }
    const bool written = WriteAll(fd, bytes) && fsync(fd) == 0;
    if (close(fd) != 0 || !written) {
        error->message = Failure("cannot write the output");
        return false;
    }
    return true;
}

bool OutputFiles::Commit(InputError* error)
{
    // A file about to be replaced is first linked beside itself, so that
    // when a later file cannot be put in place the earlier ones can be put
    // back. Where no link can be made (a file system without hard links),
    // the replaced file cannot come back.
    for (Pending& file : pending_) {
        file.existed = access(file.target.c_str(), F_OK) == 0;
        if (file.existed && link(file.target.c_str(), (file.temporary + ".old").c_str()) == 0)
            file.backup = file.temporary + ".old";
    }
    size_t placed = 0;
    while (placed < pending_.size() &&
           rename(pending_[placed].temporary.c_str(), pending_[placed].target.c_str()) == 0)
        ++placed;
    const bool done = placed == pending_.size();
    if (!done) {
        *error = InputError();
        error->file = pending_[placed].path;
        error->message = Failure("cannot finish the output");
    }
    for (size_t i = 0; i < pending_.size(); ++i) {
        const Pending& file = pending_[i];
        const bool putBack = !done && i < placed;
        if (putBack && !file.backup.empty())
            rename(file.backup.c_str(), file.target.c_str());
        else if (putBack && !file.existed)
            unlink(file.target.c_str());
        if (!file.backup.empty())
            unlink(file.backup.c_str());
        if (i >= placed)
            unlink(file.temporary.c_str());
    }
    pending_.clear();
    return done;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, InputError* error)
{
    OutputFiles files;
    return files.Add(path, bytes, error) && files.Commit(error);
}
