#include "TmxMapReader.h"

#include <tinyxml2.h>

#include <cstring>

#include "InputFile.h"
#include "PathNames.h"
#include "TiledLayerData.h"
#include "TiledMap.h"
#include "TiledTilesetFile.h"
#include "XmlInputCheck.h"
#include "world/LevelShape.h"

namespace {

using tinyxml2::XMLElement;

// Groups nested deeper than this are refused rather than followed.
const int kMaxGroupDepth = 64;

class TmxReader {
public:
    TmxReader(const std::string& file, TiledMap* map, InputError* error)
        : file_(file), map_(map), error_(error)
    {
    }

    bool Fail(const XMLElement* where, const std::string& message)
    {
        *error_ = InputError{
            file_, where != nullptr ? static_cast<unsigned>(where->GetLineNum()) : 0, 0, message};
        return false;
    }

    bool ReadMap(const XMLElement& root)
    {
        map_->line = static_cast<unsigned>(root.GetLineNum());
        const char* orientation = root.Attribute("orientation");
        if (orientation != nullptr)
            map_->orientation = orientation;
        map_->infinite = root.IntAttribute("infinite", 0) != 0;
        map_->width = root.Int64Attribute("width", 0);
        map_->height = root.Int64Attribute("height", 0);
        map_->tileWidth = root.Int64Attribute("tilewidth", kTileSide);
        map_->tileHeight = root.Int64Attribute("tileheight", kTileSide);
        const XMLElement* properties = root.FirstChildElement("properties");
        for (const XMLElement* p = properties != nullptr ? properties->FirstChildElement("property")
                                                         : nullptr;
             p != nullptr && !map_->origin; p = p->NextSiblingElement("property")) {
            if (p->Attribute("name", "origin") == nullptr)
                continue;
            map_->origin = p->Attribute("value") != nullptr ? p->Attribute("value") : "";
            map_->originLine = static_cast<unsigned>(p->GetLineNum());
        }
        for (const XMLElement* e = root.FirstChildElement("tileset"); e != nullptr;
             e = e->NextSiblingElement("tileset")) {
            TiledTileset tileset;
            tileset.line = static_cast<unsigned>(e->GetLineNum());
            tileset.firstGid = e->Int64Attribute("firstgid", 0);
            const char* source = e->Attribute("source");
            if (source != nullptr && !ReadTilesetFile(BesidePath(file_, source), &tileset, error_))
                return false;
            if (source == nullptr)
                TilesetFromXml(*e, &tileset);
            map_->tilesets.push_back(tileset);
        }
        return ReadLayers(root, true, 0);
    }

private:
    bool ReadLayers(const XMLElement& parent, bool visible, int depth)
    {
        if (depth > kMaxGroupDepth)
            return Fail(&parent, "groups nested deeper than " + std::to_string(kMaxGroupDepth));
        for (const XMLElement* e = parent.FirstChildElement(); e != nullptr;
             e = e->NextSiblingElement()) {
            const bool shown = visible && e->IntAttribute("visible", 1) != 0;
            const bool isLayer = strcmp(e->Name(), "group") == 0 || strcmp(e->Name(), "layer") == 0;
            if (isLayer &&
                (e->DoubleAttribute("offsetx", 0) != 0 || e->DoubleAttribute("offsety", 0) != 0))
                return Fail(e, OffsetMessage(e->Attribute("name")));
            if (strcmp(e->Name(), "group") == 0 && !ReadLayers(*e, shown, depth + 1))
                return false;
            if (strcmp(e->Name(), "layer") == 0 && !ReadLayer(*e, shown))
                return false;
        }
        return true;
    }

    bool ReadLayer(const XMLElement& element, bool visible)
    {
        TiledLayer layer;
        layer.line = static_cast<unsigned>(element.GetLineNum());
        const char* name = element.Attribute("name");
        layer.name = name != nullptr ? name : "";
        layer.visible = visible;
        layer.width = element.Int64Attribute("width", 0);
        layer.height = element.Int64Attribute("height", 0);
        const XMLElement* data = element.FirstChildElement("data");
        if (visible && data == nullptr)
            return Fail(&element, "layer '" + layer.name + "' has no <data>");
        if (visible && !map_->infinite) {
            layer.chunks.emplace_back();
            layer.chunks.back().width = layer.width;
            layer.chunks.back().height = layer.height;
            if (!ReadCells(*data, *data, &layer.chunks.back()))
                return false;
        }
        for (const XMLElement* c = visible && map_->infinite ? data->FirstChildElement("chunk")
                                                             : nullptr;
             c != nullptr; c = c->NextSiblingElement("chunk")) {
            TiledChunk chunk;
            chunk.x = c->Int64Attribute("x", 0);
            chunk.y = c->Int64Attribute("y", 0);
            chunk.width = c->Int64Attribute("width", 0);
            chunk.height = c->Int64Attribute("height", 0);
            if (!ReadCells(*data, *c, &chunk))
                return false;
            layer.chunks.push_back(std::move(chunk));
        }
        map_->layers.push_back(std::move(layer));
        return true;
    }

    // The ids of a layer's <data> or of one of its chunks.
    bool ReadCells(const XMLElement& data, const XMLElement& cells, TiledChunk* chunk)
    {
        std::string message;
        if (!ReserveTiledCells(chunk->width, chunk->height, map_, &message))
            return Fail(&cells, message);
        const size_t count = static_cast<size_t>(chunk->width * chunk->height);
        const char* encoding = data.Attribute("encoding");
        if (encoding != nullptr) {
            const char* compression = data.Attribute("compression");
            const char* text = cells.GetText();
            return DecodeLayerData(encoding, compression != nullptr ? compression : "",
                                   text != nullptr ? text : "", count, &chunk->gids, &message) ||
                   Fail(&cells, message);
        }
        for (const XMLElement* t = cells.FirstChildElement("tile"); t != nullptr;
             t = t->NextSiblingElement("tile")) {
            unsigned gid = 0;
            if (chunk->gids.size() == count)
                return Fail(&cells, "the layer's data holds more than the " +
                                        std::to_string(count) + " cells it declares");
            if (t->Attribute("gid") != nullptr &&
                t->QueryUnsignedAttribute("gid", &gid) != tinyxml2::XML_SUCCESS)
                return Fail(t, "a <tile> whose gid is not a tile id");
            chunk->gids.push_back(gid);
        }
        if (chunk->gids.size() != count)
            return Fail(&cells, "the layer's data holds " + std::to_string(chunk->gids.size()) +
                                    " cells, not the " + std::to_string(count) +
                                    " cells it declares");
        return true;
    }

    const std::string& file_;
    TiledMap* map_;
    InputError* error_;
};

}  // namespace

bool ReadTmxMap(const std::string& path, MapGrid* grid, InputError* error)
{
    std::string text;
    if (!ReadWholeFile(path, kMaxMapBytes, &text, error))
        return false;
    return ReadTmxText(text, path, grid, error);
}

bool ReadTmxText(const std::string& text, const std::string& file, MapGrid* grid, InputError* error)
{
    *error = InputError{file, 0, 0, ""};
    tinyxml2::XMLDocument document;
    if (!ParseCheckedXml(text, file, &document, error))
        return false;
    const XMLElement* root = document.RootElement();
    if (root == nullptr || strcmp(root->Name(), "map") != 0) {
        error->line = root != nullptr ? static_cast<unsigned>(root->GetLineNum()) : 0;
        error->message = "not a Tiled map: the root element is not <map>";
        return false;
    }
    TiledMap map;
    TmxReader reader(file, &map, error);
    return reader.ReadMap(*root) && FlattenTiledMap(map, file, grid, error);
}
