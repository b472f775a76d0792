#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Decodes the text of a Tiled tile layer's (or chunk's) data to exactly
// `count` global tile ids: encoding "csv" (on any number of lines), or
// "base64" of little-endian ids, with compression "" (none), "zlib",
// "gzip" or "zstd". Never allocates more than the count needs. False, with
// the message set, on anything else.
bool DecodeLayerData(const std::string& encoding, const std::string& compression,
                     const std::string& text, size_t count, std::vector<uint32_t>* gids,
                     std::string* message);
