#include "TiledLayerData.h"

#include <zlib.h>
#include <zstd.h>

#include <cctype>
#include <cstring>

#include "world/LevelRecord.h"

namespace {

std::string Cells(size_t count)
{
    return std::to_string(count) + (count == 1 ? " cell" : " cells");
}

bool DecodeCsv(const std::string& text, size_t count, std::vector<uint32_t>* gids,
               std::string* message)
{
    size_t at = 0;
    for (;;) {
        while (at < text.size() && isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (at == text.size() && gids->empty())
            break;  // no cells at all
        uint64_t value = 0;
        const size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && value <= UINT32_MAX)
            value = value * 10 + static_cast<uint64_t>(text[at++] - '0');
        while (at < text.size() && isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (at == start || value > UINT32_MAX || (at < text.size() && text[at] != ',')) {
            *message = "the layer's CSV data has something other than a tile id at cell " +
                       std::to_string(gids->size() + 1);
            return false;
        }
        if (gids->size() == count) {
            *message = "the layer's data holds more than the " + Cells(count) + " it declares";
            return false;
        }
        gids->push_back(static_cast<uint32_t>(value));
        if (at == text.size())
            break;
        ++at;  // the comma; one may end the data
        size_t rest = at;
        while (rest < text.size() && isspace(static_cast<unsigned char>(text[rest])))
            ++rest;
        if (rest == text.size())
            break;
    }
    return true;
}

bool DecodeBase64(const std::string& text, std::string* bytes)
{
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    uint32_t bits = 0;
    int held = 0;
    size_t padding = 0;
    for (char c : text) {
        if (isspace(static_cast<unsigned char>(c)))
            continue;
        const char* digit = c != '\0' ? strchr(kAlphabet, c) : nullptr;
        if (c == '=') {
            ++padding;
            continue;
        }
        if (digit == nullptr || padding > 0)
            return false;
        bits = (bits << 6) | static_cast<uint32_t>(digit - kAlphabet);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes->push_back(static_cast<char>((bits >> held) & 0xFF));
        }
    }
    return padding <= 2 && held < 6;
}

// zlib and gzip streams; false unless the stream ends at exactly `size`
// bytes.
bool Inflate(const std::string& packed, int windowBits, size_t size, std::string* bytes)
{
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return false;
    bytes->assign(size + 1, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(&(*bytes)[0]);
    stream.avail_out = static_cast<uInt>(bytes->size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    bytes->resize(size);
    return whole;
}

bool Unzstd(const std::string& packed, size_t size, std::string* bytes)
{
    bytes->assign(size + 1, '\0');
    const size_t got = ZSTD_decompress(&(*bytes)[0], bytes->size(), packed.data(), packed.size());
    bytes->resize(size);
    return !ZSTD_isError(got) && got == size;
}

}  // namespace

bool DecodeLayerData(const std::string& encoding, const std::string& compression,
                     const std::string& text, size_t count, std::vector<uint32_t>* gids,
                     std::string* message)
{
    gids->clear();
    if (encoding == "csv" && compression.empty()) {
        if (!DecodeCsv(text, count, gids, message))
            return false;
        if (gids->size() != count) {
            *message = "the layer's data holds " + Cells(gids->size()) + ", not the " +
                       Cells(count) + " it declares";
            return false;
        }
        return true;
    }
    if (encoding != "base64") {
        *message =
            "layer data encoding '" + encoding + "' is not one Tiled writes (csv, base64 or XML)";
        return false;
    }
    std::string raw;
    if (!DecodeBase64(text, &raw)) {
        *message = "the layer's base64 data is damaged";
        return false;
    }
    std::string bytes;
    const size_t size = count * 4;
    bool whole = false;
    if (compression.empty()) {
        bytes.swap(raw);
        whole = bytes.size() == size;
    } else if (compression == "zlib" || compression == "gzip") {
        whole = Inflate(raw, compression == "zlib" ? 15 : 15 + 16, size, &bytes);
    } else if (compression == "zstd") {
        whole = Unzstd(raw, size, &bytes);
    } else {
        *message = "layer data compression '" + compression +
                   "' is not one Tiled writes (zlib, gzip or zstd)";
        return false;
    }
    if (!whole) {
        *message = "the layer's " + (compression.empty() ? std::string("base64") : compression) +
                   " data does not hold exactly the " + Cells(count) + " it declares";
        return false;
    }
    gids->resize(count);
    for (size_t i = 0; i < count; ++i)
        (*gids)[i] =
            ReadLittleEndian32(reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * i);
    return true;
}
