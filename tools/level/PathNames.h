#pragma once

#include <string>

// Whether the path ends in the extension (".tmx"), in any case.
bool HasExtension(const std::string& path, const std::string& extension);

// A file named relative to another file's folder, as Tiled names its
// tilesets and images; an absolute name stays as it is.
std::string BesidePath(const std::string& file, const std::string& name);

// How a file that names another (a map its tileset image) names it, as
// Tiled does: relative to the first file's folder.
std::string NameFrom(const std::string& file, const std::string& named);

// The path with its extension (if any) replaced by another (".tsx").
std::string WithExtension(const std::string& path, const std::string& extension);

// The last component of a path.
std::string BaseName(const std::string& path);
