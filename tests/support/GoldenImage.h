// Reference images kept in the source tree, compared byte for byte with a
// fresh render, shared by the golden tests of both effects.
//
//   8 bits:  <name>.png, 8-bit RGBA, straight alpha, the host's bytes as they are.
//   16 bits: <name>.png, 16-bit RGBA. The host's range 0..32768 is spread over
//            the full 0..65535 (v * 65535 / 32768, rounded), which reads back
//            to the same value and keeps the pictures viewable.
//   float:   <name>.exr, OpenEXR with 32-bit float channels A, R, G, B, which
//            hold every float exactly.
//
// Setting BRELO_UPDATE_GOLDEN=1 in the environment makes expectMatches write
// the reference instead; nothing else reads that variable.
#pragma once

#include <string>

#include "brelo_host/Image.h"

namespace BreloTest {
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
// On a difference the render is written to the working directory (the test's
// build directory under ctest) as `name.actual` + extension for a look.
void expectMatches(Brelo::Sim::Image const& image, std::string const& dir, std::string const& name);

}  // namespace GoldenImage
}  // namespace BreloTest
