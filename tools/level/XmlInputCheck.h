#pragma once

#include <tinyxml2.h>

#include <string>

#include "InputFile.h"

// The most attributes one element of a map may carry. tinyxml2 compares
// each attribute with every earlier one of its element, so what reaches it
// must be capped: Tiled writes at most about 20.
const unsigned kMaxXmlAttributes = 64;

// A linear pass over XML text before tinyxml2 parses it: refuses text
// longer than a map can need and any element with more than
// kMaxXmlAttributes attributes. Comments, CDATA, declarations and quoted
// values are skipped as tinyxml2 skips them, so that no attribute it would
// see goes uncounted.
bool CheckXmlInput(const std::string& text, const std::string& file, InputError* error);

// Parses XML text into `document` after CheckXmlInput has passed it. False,
// with the error set to the line tinyxml2 stopped at, when it is refused or
// not well-formed.
bool ParseCheckedXml(const std::string& text, const std::string& file,
                     tinyxml2::XMLDocument* document, InputError* error);
