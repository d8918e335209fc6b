#include "GoldenImage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "brelo_image/ImageError.h"
#include "brelo_image/ImageFile.h"

namespace BreloTest {
namespace GoldenImage {

using Brelo::Sim::Depth;
using Brelo::Sim::Image;
namespace ImageIO = Brelo::ImageIO;

namespace {

// A pixel's A, R, G, B as the host holds them.
std::string channels(Image const& image, int x, int y) {
  std::string out;
  auto put = [&out](std::string const& v) { out += (out.empty() ? "" : " ") + v; };
  switch (image.depth()) {
    case Depth::Bits8: {
      PF_Pixel const& p = image.px8(x, y);
      for (A_u_char v : {p.alpha, p.red, p.green, p.blue}) put(std::to_string(v));
      break;
    }
    case Depth::Bits16: {
      PF_Pixel16 const& p = image.px16(x, y);
      for (A_u_short v : {p.alpha, p.red, p.green, p.blue}) put(std::to_string(v));
      break;
    }
    case Depth::Bits32: {
      PF_PixelFloat const& p = image.pxF(x, y);
      char buf[32];
      for (float v : {p.alpha, p.red, p.green, p.blue}) {
        std::snprintf(buf, sizeof buf, "%.9g", double(v));
        put(buf);
      }
      break;
    }
  }
  return out;
}

}  // namespace

const char* extension(Depth depth) { return depth == Depth::Bits32 ? ".exr" : ".png"; }

bool write(std::string const& path, Image const& image, std::string* why) {
  if (image.depth() == Depth::Bits16) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        PF_Pixel16 const& p = image.px16(x, y);
        for (A_u_short v : {p.red, p.green, p.blue, p.alpha}) {
          if (v > 32768) {
            *why = "16-bit channel above 32768 at " + std::to_string(x) + ", " + std::to_string(y);
            return false;
          }
        }
      }
    }
  }
  try {
    ImageIO::WriteOptions options;
    options.alpha = ImageIO::Alpha::Straight;
    ImageIO::writeImage(image, path, options);
    return true;
  } catch (std::exception const& e) {
    *why = e.what();
    return false;
  }
}

bool read(std::string const& path, Depth depth, Image* out, std::string* why) {
  try {
    ImageIO::ReadOptions options;
    options.alpha = ImageIO::Alpha::Straight;
    Image img = ImageIO::readImage(path, options);
    if (img.depth() != depth) {
      *why = path + " holds a " + Brelo::Sim::depthName(img.depth()) + " image, not " + Brelo::Sim::depthName(depth);
      return false;
    }
    *out = std::move(img);
    return true;
  } catch (std::exception const& e) {
    *why = e.what();
    return false;
  }
}

void expectMatches(Image const& image, std::string const& dir, std::string const& name) {
  const std::string path = dir + "/" + name + extension(image.depth());
  std::string why;
  const char* update = std::getenv("BRELO_UPDATE_GOLDEN");
  if (update && std::strcmp(update, "1") == 0) {
    EXPECT_TRUE(write(path, image, &why)) << why;
    return;
  }
  Image golden;
  if (!read(path, image.depth(), &golden, &why)) {
    ADD_FAILURE() << why << " (BRELO_UPDATE_GOLDEN=1 writes it)";
    return;
  }
  if (golden == image) return;
  std::string detail;
  if (golden.width() != image.width() || golden.height() != image.height()) {
    detail = "size " + std::to_string(image.width()) + "x" + std::to_string(image.height()) + ", reference " +
             std::to_string(golden.width()) + "x" + std::to_string(golden.height());
  } else {
    const std::size_t px = Brelo::Sim::pixelSize(image.depth());
    int differing = 0, fx = -1, fy = -1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const std::size_t at = (std::size_t(y) * std::size_t(image.width()) + std::size_t(x)) * px;
        if (std::memcmp(image.bytes() + at, golden.bytes() + at, px) != 0) {
          if (differing++ == 0) fx = x, fy = y;
        }
      }
    }
    detail = std::to_string(differing) + " pixels differ, the first at " + std::to_string(fx) + ", " +
             std::to_string(fy) + ": rendered " + channels(image, fx, fy) + ", recorded " + channels(golden, fx, fy);
  }
  const std::string actual = name + ".actual" + extension(image.depth());
  if (write(actual, image, &why)) {
    ADD_FAILURE() << name << ": " << detail << "; the render is in " << std::filesystem::absolute(actual).string();
  } else {
    ADD_FAILURE() << name << ": " << detail << "; the render could not be kept: " << why;
  }
}

}  // namespace GoldenImage
}  // namespace BreloTest
