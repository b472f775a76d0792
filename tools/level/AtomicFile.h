#pragma once

#include <string>

#include "MapGrid.h"

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so that a failed write never leaves a partial output behind.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, InputError* error);

// Reads a whole file. False, with the error set, when it cannot.
bool ReadWholeFile(const std::string& path, std::string* bytes, InputError* error);
