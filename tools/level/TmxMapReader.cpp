#include "TmxMapReader.h"

#include <tinyxml2.h>

#include <cstring>

#include "AtomicFile.h"
#include "CsvMapReader.h"
#include "world/LevelShape.h"

namespace {

using tinyxml2::XMLElement;

int CountChildren(const XMLElement* parent, const char* name)
{
    int count = 0;
    for (const XMLElement* e = parent->FirstChildElement(name); e != nullptr; e = e->NextSiblingElement(name))
        ++count;
    return count;
}

bool HasIntAttribute(const XMLElement* element, const char* name, int wanted)
{
    int value = 0;
    return element->QueryIntAttribute(name, &value) == tinyxml2::XML_SUCCESS && value == wanted;
}

}  // namespace

bool ReadTmxMap(const std::string& path, MapGrid* grid, InputError* error)
{
    std::string text;
    if (!ReadWholeFile(path, &text, error)) {
        error->message = "cannot read the file";
        return false;
    }
    return ReadTmxText(text, path, grid, error);
}

bool ReadTmxText(const std::string& text, const std::string& path, MapGrid* grid, InputError* error)
{
    error->file = path;
    error->line = 0;
    error->column = 0;
    auto fail = [&](const XMLElement* where, const std::string& message) {
        error->line = where != nullptr ? static_cast<unsigned>(where->GetLineNum()) : 0;
        error->message = message;
        return false;
    };

    tinyxml2::XMLDocument document;
    const tinyxml2::XMLError loaded = document.Parse(text.data(), text.size());
    if (loaded != tinyxml2::XML_SUCCESS) {
        error->line = static_cast<unsigned>(document.ErrorLineNum());
        error->message = std::string("not well-formed XML: ") + document.ErrorName();
        return false;
    }
    const XMLElement* map = document.RootElement();
    if (map == nullptr || strcmp(map->Name(), "map") != 0)
        return fail(map, "not a Tiled map: the root element is not <map>");
    const char* orientation = map->Attribute("orientation");
    if (orientation != nullptr && strcmp(orientation, "orthogonal") != 0)
        return fail(map, std::string("orientation '") + orientation + "' is not orthogonal");
    if (map->IntAttribute("infinite", 0) != 0)
        return fail(map, "infinite maps are not supported; save the map with a fixed size");

    if (CountChildren(map, "tileset") != 1)
        return fail(map, "the map must use exactly one tileset, the 190-tile default");
    const XMLElement* tileset = map->FirstChildElement("tileset");
    if (tileset->Attribute("source") != nullptr)
        return fail(tileset, "external tilesets are not supported; embed the tileset in the map");
    if (!HasIntAttribute(tileset, "firstgid", 1))
        return fail(tileset, "the tileset must start at global tile id 1");
    if (!HasIntAttribute(tileset, "tilewidth", kTileSide) || !HasIntAttribute(tileset, "tileheight", kTileSide))
        return fail(tileset, "the tileset's tiles must be 16 x 16");
    if (tileset->Attribute("columns") != nullptr && !HasIntAttribute(tileset, "columns", kTilesetColumns))
        return fail(tileset, "the tileset must have 19 columns");

    if (CountChildren(map, "layer") != 1)
        return fail(map, "the map must have exactly one tile layer");
    const XMLElement* layer = map->FirstChildElement("layer");
    const XMLElement* data = layer->FirstChildElement("data");
    if (data == nullptr)
        return fail(layer, "the layer has no <data>");
    const char* encoding = data->Attribute("encoding");
    if (encoding == nullptr || strcmp(encoding, "csv") != 0 || data->Attribute("compression") != nullptr)
        return fail(data, "the layer must be stored as CSV (Map Properties, Tile Layer Format: CSV)");
    const char* csv = data->GetText();
    if (!ReadCsvMap(csv != nullptr ? csv : "", path, static_cast<unsigned>(data->GetLineNum()), true, grid,
                    error))
        return false;
    if (!HasIntAttribute(layer, "width", static_cast<int>(grid->width)) ||
        !HasIntAttribute(layer, "height", static_cast<int>(grid->height)))
        return fail(data, "the layer's data is " + std::to_string(grid->width) + " x " +
                              std::to_string(grid->height) + " cells, not the size the layer declares");
    return true;
}
