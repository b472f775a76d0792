#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "world/FileKind.h"

namespace {

const size_t kQuotedPrefix = 24;

std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char code[5];
            snprintf(code, sizeof code, "\\x%02x", c);
            out += code;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

std::string InputError::Text() const
{
    std::string text = file;
    if (line != 0) {
        text += ":" + std::to_string(line);
        if (column != 0)
            text += ":" + std::to_string(column);
    }
    return Escaped(text + ": " + message);
}

int OpenRegularFile(const std::string& path, InputError* error)
{
    error->file = path;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error->message = std::string("cannot open: ") + strerror(errno);
        return -1;
    }
    struct stat status;
    if (fstat(fd, &status) != 0) {
        error->message = std::string("cannot open: ") + strerror(errno);
        close(fd);
        return -1;
    }
    if (const char* kind = NonRegularFileKind(status.st_mode)) {
        error->message = std::string("cannot read ") + kind + ", only a regular file";
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool ReadFileStart(const std::string& path, size_t length, std::string* bytes, InputError* error)
{
    const int fd = OpenRegularFile(path, error);
    if (fd < 0)
        return false;
    bytes->clear();
    char block[65536];
    while (bytes->size() < length) {
        const ssize_t got = read(fd, block, std::min(sizeof block, length - bytes->size()));
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error->message = std::string("cannot read: ") + strerror(errno);
            close(fd);
            return false;
        }
        bytes->append(block, static_cast<size_t>(got));
    }
    close(fd);
    return true;
}

bool ReadWholeFile(const std::string& path, size_t limit, std::string* bytes, InputError* error)
{
    if (!ReadFileStart(path, limit + 1, bytes, error))
        return false;
    if (bytes->size() > limit) {
        error->message = "larger than " + std::to_string(limit >> 20) +
                         " MiB, more than a file of its kind can need";
        bytes->clear();
        return false;
    }
    return true;
}

std::string Size(int64_t width, int64_t height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string Quoted(const std::string& field)
{
    if (field.size() <= kQuotedPrefix)
        return "'" + Escaped(field) + "'";
    size_t cut = kQuotedPrefix;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 character
    return "'" + Escaped(field.substr(0, cut)) + "...' (" + std::to_string(field.size()) +
           " bytes)";
}
