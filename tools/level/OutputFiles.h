#pragma once

#include <string>
#include <vector>

#include "InputFile.h"

// The files one command writes, all of them or none: each is first written
// whole to a temporary file beside it, and only when every one is written
// are they renamed over their paths. Temporaries not committed are removed
// when the set goes.
//
// A path that is a symbolic link writes the file the link names, which
// keeps the link. An existing file keeps its mode and owner; a new one gets
// the usual mode (0666 less the umask). Anything but a regular file or a
// missing path (a folder, a device, a FIFO) is refused.
class OutputFiles {
public:
    OutputFiles() = default;
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    virtual ~OutputFiles();

    // Writes the bytes for `path`. False, with the error set, when it
    // cannot or when the same file was already added.
    bool Add(const std::string& path, const std::string& bytes, InputError* error);

    // Puts every file added in place. When one cannot be, the ones before
    // it are put back as they were.
    bool Commit(InputError* error);

private:
    struct Pending {
        std::string path;       // as given, for messages
        std::string target;     // the file written, links followed
        std::string temporary;  // beside it
        std::string key;        // folder device, inode and name
        bool existed = false;   // when the set is put in place
        std::string backup;     // a link to the file it replaces, meanwhile
    };
    std::vector<Pending> pending_;
};

// One file written by itself through OutputFiles.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, InputError* error);
