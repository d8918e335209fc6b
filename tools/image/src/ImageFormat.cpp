#include "brelo_image/ImageFormat.h"

#include <algorithm>
#include <cstring>

#include "brelo_image/ImageError.h"

namespace Brelo {
namespace ImageIO {

namespace {

bool endsWith(std::string const& lower, const char* ext) {
  std::size_t n = std::strlen(ext);
  return lower.size() > n && lower.compare(lower.size() - n, n, ext) == 0;
}

}  // namespace

const char* formatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return "PNG";
    case ImageFormat::Exr: return "OpenEXR";
    case ImageFormat::Tiff: return "TIFF";
    case ImageFormat::Jpeg: return "JPEG";
  }
  return "?";
}

bool formatOfSignature(const unsigned char* b, std::size_t size, ImageFormat* format) {
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(b, kPng, 8) == 0) return *format = ImageFormat::Png, true;
  if (size >= 4 && b[0] == 0x76 && b[1] == 0x2F && b[2] == 0x31 && b[3] == 0x01)
    return *format = ImageFormat::Exr, true;
  // Classic and big TIFF, either byte order.
  if (size >= 4 && ((b[0] == 'I' && b[1] == 'I' && (b[2] == 42 || b[2] == 43) && b[3] == 0) ||
                    (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && (b[3] == 42 || b[3] == 43))))
    return *format = ImageFormat::Tiff, true;
  if (size >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return *format = ImageFormat::Jpeg, true;
  return false;
}

ImageFormat formatForName(std::string const& path, std::string const& what) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (endsWith(lower, ".png")) return ImageFormat::Png;
  if (endsWith(lower, ".exr")) return ImageFormat::Exr;
  if (endsWith(lower, ".tif") || endsWith(lower, ".tiff")) return ImageFormat::Tiff;
  if (endsWith(lower, ".jpg") || endsWith(lower, ".jpeg")) return ImageFormat::Jpeg;
  throw ImageError(ImageError::Kind::Usage, what + ": the name must end in .png, .exr, .tif, .tiff, .jpg or .jpeg");
}

std::vector<int> writableBits(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return {8, 16};
    case ImageFormat::Exr: return {32};
    case ImageFormat::Tiff: return {8, 16, 32};
    case ImageFormat::Jpeg: return {8};
  }
  return {};
}

int defaultBits(ImageFormat format, Sim::Depth depth) {
  const int own = depth == Sim::Depth::Bits8 ? 8 : depth == Sim::Depth::Bits16 ? 16 : 32;
  std::vector<int> bits = writableBits(format);
  int best = bits.front();
  for (int b : bits) {
    if (b <= own) best = b;
  }
  return best;
}

void checkWritableBits(ImageFormat format, int bits, std::string const& path) {
  std::vector<int> ok = writableBits(format);
  if (std::find(ok.begin(), ok.end(), bits) != ok.end()) return;
  std::string list;
  for (std::size_t i = 0; i < ok.size(); ++i)
    list += (i == 0 ? "" : i + 1 == ok.size() ? " or " : ", ") + std::to_string(ok[i]);
  throw ImageError(ImageError::Kind::Usage, path + ": " + formatName(format) + " files hold " + list +
                                                " bits per channel, not " + std::to_string(bits));
}

}  // namespace ImageIO
}  // namespace Brelo
