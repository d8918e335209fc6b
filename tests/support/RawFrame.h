// Frames as the render driver writes them, for comparison on another
// machine: the host's pixels of one depth (PF_Pixel, PF_Pixel16 or
// PF_PixelFloat, channels in the host's order), rows top to bottom, tightly
// packed, in the byte order of the machine that rendered them
// (little-endian on every platform the plug-ins are built for).
#pragma once

#include <string>

#include "GoldenCases.h"
#include "brelo_host/Image.h"

namespace BreloTest {
namespace RawFrame {

// Relative to the driver's output folder: "<effect>/<case>.<8|16|32>.raw".
std::string path(Effect effect, std::string const& caseName, Brelo::Sim::Depth depth);

// False, with the reason in *why, when the file cannot be written completely.
bool write(std::string const& file, Brelo::Sim::Image const& image, std::string* why);
// Reads a frame of the given size and depth; false when the file is missing
// or not of exactly that many bytes.
bool read(std::string const& file, int width, int height, Brelo::Sim::Depth depth, Brelo::Sim::Image* out,
          std::string* why);

}  // namespace RawFrame
}  // namespace BreloTest
