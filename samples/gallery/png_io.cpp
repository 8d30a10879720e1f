#include "png_io.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_image.h"
#include "stb_image_write.h"

namespace gallery {

bool WritePng(const std::string& path, const Picture& picture)
{
    if (picture.empty())
        return false;
    std::vector<unsigned char> rgb(picture.pixels.size() * 3);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        rgb[i * 3] = static_cast<unsigned char>(picture.pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(picture.pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(picture.pixels[i]);
    }
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, rgb.data(), picture.width * 3) != 0;
}

bool ReadPng(const std::string& path, Picture& picture)
{
    int width = 0, height = 0, channels = 0;
    unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (!rgb)
        return false;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = (uint32_t{rgb[i * 3]} << 16) | (uint32_t{rgb[i * 3 + 1]} << 8) | rgb[i * 3 + 2];
    stbi_image_free(rgb);
    return true;
}

} // namespace gallery
