// PNG files of gallery pictures (Debian's stb encoder and decoder, compiled into the
// gallery programs only; the library itself never sees them).
#pragma once
#include <string>

#include "picture.h"

namespace gallery {

bool WritePng(const std::string& path, const Picture& picture);

// Reads a PNG into picture.width, height and pixels (0x00RRGGBB); false when it cannot.
bool ReadPng(const std::string& path, Picture& picture);

} // namespace gallery
