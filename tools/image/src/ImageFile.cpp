#include "brelo_image/ImageFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "brelo_image/ExrFile.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/JpegFile.h"
#include "brelo_image/PngFile.h"
#include "brelo_image/TiffFile.h"

namespace Brelo {
namespace ImageIO {

Sim::Image readImage(std::string const& path, ReadOptions const& options) {
  unsigned char head[kSignatureBytes] = {0};
  std::size_t got = 0;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
  } else {
    throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": " + std::strerror(errno));
  }
  ImageFormat format;
  if (!formatOfSignature(head, got, &format)) {
    if (got == 0) throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": the file is empty");
    throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": not a PNG, OpenEXR, TIFF or JPEG file");
  }
  switch (format) {
    case ImageFormat::Png: return readPng(path);
    case ImageFormat::Exr: return readExr(path, options.alpha);
    case ImageFormat::Tiff: return readTiff(path, options.alpha);
    case ImageFormat::Jpeg: break;
  }
  return readJpeg(path);
}

void writeImage(PixelView const& view, std::string const& path, WriteOptions const& options) {
  const ImageFormat format = formatForName(path, "output " + path);
  const int bits = options.bits ? options.bits : defaultBits(format, view.depth);
  checkWritableBits(format, bits, path);
  switch (format) {
    case ImageFormat::Png: writePng(view, bits, path); return;
    case ImageFormat::Exr: writeExr(view, path, options.alpha); return;
    case ImageFormat::Tiff: writeTiff(view, bits, path); return;
    case ImageFormat::Jpeg: writeJpeg(view, path); return;
  }
}

}  // namespace ImageIO
}  // namespace Brelo
