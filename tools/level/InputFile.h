// Reading the level tool's input files, and the errors it reports about
// them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A fault in an input file, with the place it was found where there is one
// (line and column count from 1; 0 means unknown).
struct InputError {
    std::string file;
    unsigned line = 0;
    unsigned column = 0;
    std::string message;

    // "file:line:column: message", leaving out what is unknown, with
    // control bytes escaped.
    std::string Text() const;
};

// The most bytes a map source can need: the whole 1024 x 1024 grid in
// Tiled's most verbose form (an XML <tile gid="190"/> element on a line of
// its own, some 21 bytes a cell) is about 22 MB.
const size_t kMaxMapBytes = 32u << 20;
// The most bytes a tileset can need: a 304 x 160 BMP at 32 bits per pixel
// is 195 KB with its headers and palette; the rest is room for padding.
const size_t kMaxTilesetBytes = 4u << 20;

// Opens a file for reading, refusing anything but a regular file before
// it could block (a FIFO with no writer) or never end (a device). The
// descriptor, or -1 with the error set.
int OpenRegularFile(const std::string& path, InputError* error);

// Reads the first `length` bytes of a regular file, or all of a shorter
// one. False, with the error set, when it cannot.
bool ReadFileStart(const std::string& path, size_t length, std::string* bytes, InputError* error);

// Reads a whole regular file of at most `limit` bytes. False, with the
// error set, when it cannot.
bool ReadWholeFile(const std::string& path, size_t limit, std::string* bytes, InputError* error);

// A width and height for a message: "304 x 160".
std::string Size(int64_t width, int64_t height);

// A field of an input for a message: in quotes, control bytes escaped, cut
// to a short prefix with its length when it is long.
std::string Quoted(const std::string& field);
