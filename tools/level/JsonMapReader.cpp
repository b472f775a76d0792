#include "JsonMapReader.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "InputFile.h"
#include "PathNames.h"
#include "TiledLayerData.h"
#include "TiledMap.h"
#include "TiledTilesetFile.h"
#include "world/LevelShape.h"

namespace {

using nlohmann::json;

const int kMaxGroupDepth = 64;

int64_t Int(const json& object, const char* key, int64_t absent)
{
    const auto found = object.find(key);
    if (found == object.end())
        return absent;
    return found->is_number_integer() ? found->get<int64_t>() : INT64_MIN;
}

std::string Text(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

bool Flag(const json& object, const char* key, bool absent)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_boolean() ? found->get<bool>() : absent;
}

const json& Array(const json& object, const char* key)
{
    static const json kEmpty = json::array();
    const auto found = object.find(key);
    return found != object.end() && found->is_array() ? *found : kEmpty;
}

bool ReadCells(const json& layer, const json& holder, TiledMap* map, TiledChunk* chunk,
               std::string* message)
{
    if (!ReserveTiledCells(chunk->width, chunk->height, map, message))
        return false;
    const size_t count = static_cast<size_t>(chunk->width * chunk->height);
    const auto data = holder.find("data");
    if (data != holder.end() && data->is_string())
        return DecodeLayerData(Text(layer, "encoding"), Text(layer, "compression"),
                               data->get<std::string>(), count, &chunk->gids, message);
    const json& ids = Array(holder, "data");
    if (ids.size() != count) {
        *message = "the layer's data holds " + std::to_string(ids.size()) + " cells, not the " +
                   std::to_string(count) + " cells it declares";
        return false;
    }
    for (const json& id : ids) {
        if (!id.is_number_unsigned() || id.get<uint64_t>() > UINT32_MAX) {
            *message = "the layer's data has something other than a tile id at cell " +
                       std::to_string(chunk->gids.size() + 1);
            return false;
        }
        chunk->gids.push_back(static_cast<uint32_t>(id.get<uint64_t>()));
    }
    return true;
}

bool ReadLayers(const json& parent, bool visible, int depth, TiledMap* map, std::string* message)
{
    if (depth > kMaxGroupDepth) {
        *message = "groups nested deeper than " + std::to_string(kMaxGroupDepth);
        return false;
    }
    for (const json& entry : Array(parent, "layers")) {
        if (!entry.is_object())
            continue;
        const bool shown = visible && Flag(entry, "visible", true);
        const std::string type = Text(entry, "type");
        const bool offset =
            entry.value("offsetx", json(0)) != 0 || entry.value("offsety", json(0)) != 0;
        if ((type == "group" || type == "tilelayer") && offset) {
            *message = OffsetMessage(Text(entry, "name").c_str());
            return false;
        }
        if (type == "group" && !ReadLayers(entry, shown, depth + 1, map, message))
            return false;
        if (type != "tilelayer")
            continue;
        TiledLayer layer;
        layer.name = Text(entry, "name");
        layer.visible = shown;
        layer.width = Int(entry, "width", 0);
        layer.height = Int(entry, "height", 0);
        auto fail = [&]() {
            *message = "layer '" + layer.name + "': " + *message;
            return false;
        };
        if (shown && !map->infinite) {
            layer.chunks.emplace_back();
            layer.chunks.back().width = layer.width;
            layer.chunks.back().height = layer.height;
            if (!ReadCells(entry, entry, map, &layer.chunks.back(), message))
                return fail();
        }
        if (shown && map->infinite) {
            for (const json& c : Array(entry, "chunks")) {
                if (!c.is_object())
                    continue;
                TiledChunk chunk;
                chunk.x = Int(c, "x", 0);
                chunk.y = Int(c, "y", 0);
                chunk.width = Int(c, "width", 0);
                chunk.height = Int(c, "height", 0);
                if (!ReadCells(entry, c, map, &chunk, message))
                    return fail();
                layer.chunks.push_back(std::move(chunk));
            }
        }
        map->layers.push_back(std::move(layer));
    }
    return true;
}

}  // namespace

bool ReadJsonMap(const std::string& path, MapGrid* grid, InputError* error)
{
    std::string text;
    if (!ReadWholeFile(path, kMaxMapBytes, &text, error))
        return false;
    return ReadJsonText(text, path, grid, error);
}

bool ReadJsonText(const std::string& text, const std::string& file, MapGrid* grid,
                  InputError* error)
{
    *error = InputError{file, 0, 0, ""};
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        const size_t at = std::min<size_t>(e.byte, text.size());
        error->line = static_cast<unsigned>(
            std::count(text.begin(), text.begin() + static_cast<long>(at), '\n') + 1);
        error->message = "not valid JSON (at byte " + std::to_string(e.byte) + ")";
        return false;
    } catch (const json::out_of_range&) {
        error->message = "not valid JSON: a number too large for any map";
        return false;
    }
    if (!root.is_object() || (root.contains("type") && Text(root, "type") != "map")) {
        error->message = "not a Tiled map: not a JSON object of type \"map\"";
        return false;
    }
    TiledMap map;
    if (root.contains("orientation"))
        map.orientation = Text(root, "orientation");
    map.infinite = Flag(root, "infinite", false);
    map.width = Int(root, "width", 0);
    map.height = Int(root, "height", 0);
    map.tileWidth = Int(root, "tilewidth", kTileSide);
    map.tileHeight = Int(root, "tileheight", kTileSide);
    for (const json& property : Array(root, "properties")) {
        if (!property.is_object() || Text(property, "name") != "origin" || map.origin)
            continue;
        const json value = property.value("value", json());
        map.origin = value.is_string() ? value.get<std::string>() : value.dump();
    }
    for (const json& entry : Array(root, "tilesets")) {
        TiledTileset tileset;
        if (entry.is_object()) {
            tileset.firstGid = Int(entry, "firstgid", 0);
            if (entry.contains("source")) {
                if (!ReadTilesetFile(BesidePath(file, Text(entry, "source")), &tileset, error))
                    return false;
            } else {
                TilesetFromJson(entry, &tileset);
            }
        }
        map.tilesets.push_back(tileset);
    }
    if (!ReadLayers(root, true, 0, &map, &error->message))
        return false;
    return FlattenTiledMap(map, file, grid, error);
}
