// The PNG encoder: stb_image_write, compiled once here.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "tools/zorext/png_write.h"

#include <stb_image_write.h>

namespace zorext {

bool WritePng(const std::string& path, const Image& image) {
  const int comp = image.alpha ? 4 : 3;
  return stbi_write_png(path.c_str(), image.width, image.height, comp, image.pixels.data(),
                        image.width * comp) != 0;
}

}  // namespace zorext
