#include "RawFrame.h"

#include <cstdio>
#include <memory>
#include <utility>

namespace BreloTest {
namespace RawFrame {

using Brelo::Sim::Depth;
using Brelo::Sim::Image;

namespace {

struct Closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

}  // namespace

std::string path(Effect effect, std::string const& caseName, Depth depth) {
  return std::string(effectName(effect)) + "/" + caseName + "." + std::to_string(Brelo::Sim::bitsPerChannel(depth)) +
         ".raw";
}

bool write(std::string const& file, Image const& image, std::string* why) {
  File f(std::fopen(file.c_str(), "wb"));
  if (!f) {
    *why = "cannot create " + file;
    return false;
  }
  const std::size_t size = image.rowBytes() * std::size_t(image.height());
  if (std::fwrite(image.bytes(), 1, size, f.get()) != size || std::fclose(f.release()) != 0) {
    *why = "cannot write " + file;
    return false;
  }
  return true;
}

bool read(std::string const& file, int width, int height, Depth depth, Image* out, std::string* why) {
  File f(std::fopen(file.c_str(), "rb"));
  if (!f) {
    *why = "cannot open " + file;
    return false;
  }
  Image image(width, height, depth);
  const std::size_t size = image.rowBytes() * std::size_t(height);
  if (std::fread(image.bytes(), 1, size, f.get()) != size || std::fgetc(f.get()) != EOF) {
    *why = file + " does not hold exactly " + std::to_string(size) + " bytes";
    return false;
  }
  *out = std::move(image);
  return true;
}

}  // namespace RawFrame
}  // namespace BreloTest
