#include "TiledTilesetFile.h"

#include <nlohmann/json.hpp>
#include <tinyxml2.h>

#include <cstring>

#include "InputFile.h"
#include "PathNames.h"
#include "XmlInputCheck.h"

namespace {

int64_t JsonInt(const nlohmann::json& object, const char* key, int64_t absent)
{
    const auto found = object.find(key);
    if (found == object.end())
        return absent;
    return found->is_number_integer() ? found->get<int64_t>() : INT64_MIN;
}

}  // namespace

void TilesetFromXml(const tinyxml2::XMLElement& element, TiledTileset* tileset)
{
    const char* name = element.Attribute("name");
    tileset->name = name != nullptr ? name : "";
    tileset->tileWidth = element.Int64Attribute("tilewidth", 0);
    tileset->tileHeight = element.Int64Attribute("tileheight", 0);
    tileset->columns = element.Int64Attribute("columns", -1);
    tileset->margin = element.Int64Attribute("margin", 0);
    tileset->spacing = element.Int64Attribute("spacing", 0);
    const tinyxml2::XMLElement* image = element.FirstChildElement("image");
    tileset->imageWidth = image != nullptr ? image->Int64Attribute("width", -1) : -1;
}

void TilesetFromJson(const nlohmann::json& object, TiledTileset* tileset)
{
    const auto name = object.find("name");
    tileset->name = name != object.end() && name->is_string() ? name->get<std::string>() : "";
    tileset->tileWidth = JsonInt(object, "tilewidth", 0);
    tileset->tileHeight = JsonInt(object, "tileheight", 0);
    tileset->columns = JsonInt(object, "columns", -1);
    tileset->margin = JsonInt(object, "margin", 0);
    tileset->spacing = JsonInt(object, "spacing", 0);
    tileset->imageWidth = JsonInt(object, "imagewidth", -1);
}

bool ReadTilesetFile(const std::string& path, TiledTileset* tileset, InputError* error)
{
    std::string text;
    if (!ReadWholeFile(path, kMaxMapBytes, &text, error))
        return false;
    *error = InputError{path, 0, 0, ""};
    if (HasExtension(path, ".tsj") || HasExtension(path, ".json")) {
        const nlohmann::json object = nlohmann::json::parse(text, nullptr, false);
        if (!object.is_object()) {
            error->message = "not a Tiled tileset: not a JSON object";
            return false;
        }
        TilesetFromJson(object, tileset);
        return true;
    }
    tinyxml2::XMLDocument document;
    if (!ParseCheckedXml(text, path, &document, error))
        return false;
    const tinyxml2::XMLElement* root = document.RootElement();
    if (root == nullptr || strcmp(root->Name(), "tileset") != 0) {
        error->message = "not a Tiled tileset: the root element is not <tileset>";
        return false;
    }
    TilesetFromXml(*root, tileset);
    return true;
}
