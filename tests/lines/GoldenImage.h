// Reference renders kept as files next to the tests.
//
//   8 bits:  <name>.png, 8-bit RGBA, straight alpha, the host's bytes as they are.
//   16 bits: <name>.png, 16-bit RGBA. Host channels run 0..32768; a value v is
//            stored as 2v, except 32768, stored as 65535, so that full white
//            looks white and every value reads back exactly.
//   float:   <name>.f32, the host's pixels as they are: alpha, red, green, blue
//            as 32-bit IEEE floats, little-endian, row by row without padding;
//            the exact reference. <name>.png beside it is for looking only:
//            each channel limited to 0..1 and rounded to 16 bits (v * 65535 + 0.5).
#pragma once

#include <string>

#include "brelo_host/Image.h"

namespace BreloTest {

// Writes the files of `image` for `base` (a path without extension).
bool writeGolden(std::string const& base, Brelo::Sim::Image const& image, std::string* why);

// Reads the reference of `base` at `depth`; width and height come from the
// PNG (and must match the raw float file).
bool readGolden(std::string const& base, Brelo::Sim::Depth depth, Brelo::Sim::Image* image, std::string* why);

}  // namespace BreloTest
