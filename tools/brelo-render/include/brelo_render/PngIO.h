// PNG files: 8- or 16-bit gray, gray with alpha, RGB, RGBA or palette in;
// 8- or 16-bit RGBA out. Colour is straight, as in the host's images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "brelo_host/Image.h"

namespace Brelo {
namespace Render {

bool hasPngSignature(const unsigned char* bytes, std::size_t size);

// An 8-bit image for 8-bit files and lower, 16-bit for 16-bit files (the
// host's 0..32768 scale). Throws RenderError (input): unreadable, not a PNG,
// truncated, damaged, empty or larger than the limits.
Sim::Image readPng(std::string const& path);

// Encodes at 8 or 16 bits per channel; float values are limited to 0..1.
std::vector<std::uint8_t> encodePng(Sim::Image const& image, int bits);
// Writes complete or not at all. Throws RenderError (output).
void writePng(Sim::Image const& image, int bits, std::string const& path);

// The host's 16-bit channel (0..32768) and a PNG's (0..65535); exact round trip.
std::uint16_t pngToHost16(std::uint16_t v);
std::uint16_t hostToPng16(std::uint16_t v);

}  // namespace Render
}  // namespace Brelo
