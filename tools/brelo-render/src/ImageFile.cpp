#include "brelo_render/ImageFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "brelo_render/ExrIO.h"
#include "brelo_render/PngIO.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

Sim::Image readImage(std::string const& path) {
  unsigned char head[8] = {0};
  std::size_t got = 0;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
  } else {
    throw RenderError(ExitCode::Input, "cannot read " + path + ": " + std::strerror(errno));
  }
  if (hasPngSignature(head, got)) return readPng(path);
  if (hasExrSignature(head, got)) return readExr(path);
  if (got == 0) throw RenderError(ExitCode::Input, "cannot read " + path + ": the file is empty");
  throw RenderError(ExitCode::Input, "cannot read " + path + ": not a PNG or OpenEXR file");
}

ImageFormat formatForName(std::string const& path) {
  std::string lower = toLower(path);
  auto endsWith = [&lower](const char* ext) {
    std::size_t n = std::strlen(ext);
    return lower.size() > n && lower.compare(lower.size() - n, n, ext) == 0;
  };
  if (endsWith(".png")) return ImageFormat::Png;
  if (endsWith(".exr")) return ImageFormat::Exr;
  throw RenderError(ExitCode::Usage, "output " + path + ": the name must end in .png or .exr");
}

void writeImage(Sim::Image const& image, std::string const& path, int pngBits) {
  if (formatForName(path) == ImageFormat::Exr)
    writeExr(image, path);
  else
    writePng(image, pngBits, path);
}

}  // namespace Render
}  // namespace Brelo
