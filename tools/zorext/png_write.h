#pragma once

#include <string>

#include "tools/zorext/pictures.h"

namespace zorext {

// Writes the image as an RGB or RGBA PNG; false when the file cannot be
// written.
bool WritePng(const std::string& path, const Image& image);

}  // namespace zorext
