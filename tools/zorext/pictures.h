// Reading Pi and BMP pictures through the library's exports: their header
// values for `info`, their pixels as RGB or RGBA for `convert`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zorext/host.h"

namespace zorext {

enum class Kind { Bmp, Pi };

// .bmp and .pi name their kind whatever their case; any other name is a
// BMP when it starts with "BM", else taken for a Pi file.
Kind KindOf(const std::string& path);
// True for names ending in .bmp or .pi (any case).
bool HasPictureExtension(const std::string& name);

// Which pixels become transparent, with the meanings of the Pi loader's
// transparency settings.
struct Transparency {
  enum Mode { kNone, kIndex, kColour, kCorner } mode = kNone;
  int index = 0;                    // kIndex: the palette index
  std::uint8_t rgb[3] = {0, 0, 0};  // kColour: the colour, red first
  int tolerance = 0;                // kColour: 0 to 128, per channel
  int corner = 1;  // kCorner: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right
};

struct Image {
  int width = 0, height = 0;
  bool alpha = false;                // RGBA when true, RGB otherwise
  std::vector<std::uint8_t> pixels;  // rows from the top, no padding
  std::string summary;               // e.g. "17 x 9 Pi, 16 colours"
  std::string warning;               // converted, but with this remark
};

// Loads the picture; returns an empty string on success, else why it was
// refused, in words with the export's status.
std::string LoadPicture(const Exports& lib, const std::string& path, const Transparency& t,
                        Image& out);

// The header values as indented "name: value" lines; returns an empty
// string on success, else the refusal as LoadPicture gives it.
std::string DescribePicture(const Exports& lib, const std::string& path, std::string& text);

}  // namespace zorext
