#include "AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

bool WriteFileAtomically(const std::string& path, const std::string& bytes, InputError* error)
{
    error->file = path;
    std::vector<char> temporary(path.begin(), path.end());
    const std::string suffix = ".partial-XXXXXX";
    temporary.insert(temporary.end(), suffix.begin(), suffix.end());
    temporary.push_back('\0');
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error->message = std::string("cannot create the output: ") + strerror(errno);
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            error->message = std::string("cannot write the output: ") + strerror(errno);
            close(fd);
            unlink(temporary.data());
            return false;
        }
        written += static_cast<size_t>(n);
    }
    if (fchmod(fd, 0644) != 0 || close(fd) != 0 || rename(temporary.data(), path.c_str()) != 0) {
        error->message = std::string("cannot finish the output: ") + strerror(errno);
        unlink(temporary.data());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, InputError* error)
{
    error->file = path;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error->message = std::string("cannot open: ") + strerror(errno);
        return false;
    }
    bytes->clear();
    char block[65536];
    size_t got = 0;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes->append(block, got);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) {
        error->message = "cannot read (is it a folder?)";
        return false;
    }
    return true;
}
