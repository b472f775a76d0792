#pragma once

#include <nlohmann/json_fwd.hpp>

#include <string>

#include "InputFile.h"
#include "MapGrid.h"
#include "TiledMap.h"

namespace tinyxml2 {
class XMLElement;
}

// The geometry of a tileset from its XML element (embedded in a TMX map,
// or the root of a .tsx file) or its JSON object (in a .tmj map or a .tsj
// file). The first global id comes from the map, not from here.
void TilesetFromXml(const tinyxml2::XMLElement& element, TiledTileset* tileset);
void TilesetFromJson(const nlohmann::json& object, TiledTileset* tileset);

// Reads an external tileset: .tsj or .json as JSON, anything else as TSX.
// The path is the file's own, already resolved against the map's folder.
bool ReadTilesetFile(const std::string& path, TiledTileset* tileset, InputError* error);
