// The file formats: told apart by their first bytes when read, chosen by the
// name's extension when written, with the sample depths each can hold.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "brelo_host/Depth.h"

namespace Brelo {
namespace ImageIO {

enum class ImageFormat { Png, Exr, Tiff, Jpeg };

// "PNG", "OpenEXR", "TIFF", "JPEG".
const char* formatName(ImageFormat format);

// The format whose signature starts `bytes`; false for none.
bool formatOfSignature(const unsigned char* bytes, std::size_t size, ImageFormat* format);
// Enough first bytes to tell every format apart.
constexpr std::size_t kSignatureBytes = 8;

// By the extension, in any case: .png, .exr, .tif, .tiff, .jpg, .jpeg. Throws
// ImageError (usage) for other names, `what` naming the file in the message
// ("output out.gif").
ImageFormat formatForName(std::string const& path, std::string const& what);

// The sample depths a format writes (8, 16; 32 is float), in increasing order.
std::vector<int> writableBits(ImageFormat format);
// The depth a frame of `depth` is written at unless asked: its own where the
// format holds it (float as 32), else the nearest the format writes.
int defaultBits(ImageFormat format, Sim::Depth depth);
// Throws ImageError (usage) unless the format writes `bits`.
void checkWritableBits(ImageFormat format, int bits, std::string const& path);

}  // namespace ImageIO
}  // namespace Brelo
