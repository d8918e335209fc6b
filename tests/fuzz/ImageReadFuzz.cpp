// Image files as anyone may hand brelo-render, one reader a target
// (BRELO_FUZZ_READER): whatever the bytes, the reader gives an image within
// the size limits at the depth the format holds, or a read error on one line.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/ExrFile.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/ImageLimits.h"
#include "brelo_image/JpegFile.h"
#include "brelo_image/PngFile.h"
#include "brelo_image/TiffFile.h"

namespace {

using namespace Brelo;
using namespace Brelo::ImageIO;

[[noreturn]] void fail(std::string const& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// The readers take a path: the input goes into a file in memory.
std::string const& inputPath() {
  static const std::string path = [] {
    const int fd = memfd_create("fuzzed-image", MFD_CLOEXEC);
    if (fd < 0) fail("no memory file");
    return "/proc/self/fd/" + std::to_string(fd);
  }();
  return path;
}

Sim::Image read(std::string const& path) {
#if BRELO_FUZZ_READER == 1
  return readPng(path);
#elif BRELO_FUZZ_READER == 2
  return readExr(path, Alpha::AsFormatExpects);
#elif BRELO_FUZZ_READER == 3
  return readTiff(path, Alpha::AsFormatExpects);
#elif BRELO_FUZZ_READER == 4
  return readJpeg(path);
#else
#error "BRELO_FUZZ_READER: 1 PNG, 2 OpenEXR, 3 TIFF, 4 JPEG"
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  std::string const& path = inputPath();
  const int fd = std::atoi(path.c_str() + path.rfind('/') + 1);
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) fail("cannot fill the memory file");
  try {
    const Sim::Image image = read(path);
    if (image.width() < 1 || image.height() < 1 || image.width() > kMaxImageSide || image.height() > kMaxImageSide ||
        std::int64_t(image.width()) * image.height() > kMaxImagePixels)
      fail("an image beyond the limits: " + std::to_string(image.width()) + " x " + std::to_string(image.height()));
#if BRELO_FUZZ_READER == 2
    if (image.depth() != Sim::Depth::Bits32) fail("an OpenEXR file read at an integer depth");
#elif BRELO_FUZZ_READER == 4
    if (image.depth() != Sim::Depth::Bits8) fail("a JPEG file read deeper than 8 bits");
#endif
  } catch (ImageError const& e) {
    const std::string m = e.what();
    if (e.kind() != ImageError::Kind::Read) fail("not a read error: " + m);
    if (m.empty() || m.find('\n') != std::string::npos) fail("a message not fit to show: " + m);
  }
  return 0;
}
