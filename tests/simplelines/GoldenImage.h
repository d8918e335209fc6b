// Reference images kept in the source tree, compared byte for byte with a
// fresh render. 8-bit and 16-bit frames are RGBA PNG files of that depth;
// float frames are OpenEXR files with 32-bit float channels, which hold
// every float exactly.
//
// 16-bit frames use the host's range 0..32768; the files spread it over the
// full 0..65535 of a 16-bit PNG (v * 65535 / 32768, rounded), which reads
// back to the same value and keeps the pictures viewable.
//
// Setting BRELO_UPDATE_GOLDEN=1 in the environment makes the comparison
// write the reference instead; nothing else reads that variable.
#pragma once

#include <string>

#include "brelo_host/Image.h"

namespace GoldenImage {

// File name extension for a depth: ".png" or ".exr".
const char* extension(Brelo::Sim::Depth depth);

// Writes `image` as the reference file `path`; false (with the reason in
// *why) when the image cannot be stored exactly or the file not written.
bool write(std::string const& path, Brelo::Sim::Image const& image, std::string* why);
// Reads a reference file of the given depth; false when it is missing or of
// another kind.
bool read(std::string const& path, Brelo::Sim::Depth depth, Brelo::Sim::Image* out, std::string* why);

// Fails the current test unless `image` equals the reference `dir/name` +
// extension; with BRELO_UPDATE_GOLDEN=1 it writes the reference instead.
// On a difference the render is written next to the test program as
// `name.actual` + extension for a look.
void expectMatches(Brelo::Sim::Image const& image, std::string const& dir, std::string const& name);

}  // namespace GoldenImage
