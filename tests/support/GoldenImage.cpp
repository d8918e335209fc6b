#include "GoldenImage.h"

#include <png.h>

#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfInputFile.h>
#include <OpenEXR/ImfOutputFile.h>

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

namespace BreloTest {
namespace GoldenImage {

using Brelo::Sim::Depth;
using Brelo::Sim::Image;

namespace {

constexpr int kHostMax16 = 32768;

std::uint16_t spread16(std::uint16_t v) { return std::uint16_t((std::uint32_t(v) * 65535u + kHostMax16 / 2) / kHostMax16); }
std::uint16_t gather16(std::uint16_t w) { return std::uint16_t((std::uint32_t(w) * kHostMax16 + 65535u / 2) / 65535u); }

struct File {
  std::FILE* f;
  explicit File(std::FILE* file) : f(file) {}
  ~File() {
    if (f) std::fclose(f);
  }
};

bool writePng(std::string const& path, Image const& image, std::string* why) {
  const bool deep = image.depth() == Depth::Bits16;
  const int w = image.width(), h = image.height();
  // Rows of R, G, B, A, big-endian for 16 bits.
  std::vector<png_byte> rows(std::size_t(w) * std::size_t(h) * (deep ? 8 : 4));
  std::size_t at = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (deep) {
        PF_Pixel16 const& p = image.px16(x, y);
        for (std::uint16_t v : {p.red, p.green, p.blue, p.alpha}) {
          if (v > kHostMax16) {
            *why = "16-bit channel above 32768 at " + std::to_string(x) + ", " + std::to_string(y);
            return false;
          }
          const std::uint16_t s = spread16(v);
          rows[at++] = png_byte(s >> 8);
          rows[at++] = png_byte(s & 0xFF);
        }
      } else {
        PF_Pixel const& p = image.px8(x, y);
        for (A_u_char v : {p.red, p.green, p.blue, p.alpha}) rows[at++] = v;
      }
    }
  }
  File file(std::fopen(path.c_str(), "wb"));
  if (!file.f) {
    *why = "cannot create " + path;
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    *why = "libpng";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    *why = "libpng failed writing " + path;
    return false;
  }
  png_init_io(png, file.f);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), deep ? 16 : 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t stride = std::size_t(w) * (deep ? 8 : 4);
  for (int y = 0; y < h; ++y) png_write_row(png, rows.data() + std::size_t(y) * stride);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool readPng(std::string const& path, Depth depth, Image* out, std::string* why) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file.f) {
    *why = "missing " + path;
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    *why = "libpng";
    return false;
  }
  std::vector<png_byte> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    *why = "libpng failed reading " + path;
    return false;
  }
  png_init_io(png, file.f);
  png_read_info(png, info);
  const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
  const int bits = png_get_bit_depth(png, info);
  const bool deep = depth == Depth::Bits16;
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA || bits != (deep ? 16 : 8)) {
    png_destroy_read_struct(&png, &info, nullptr);
    *why = path + " is not an RGBA PNG of " + (deep ? "16" : "8") + " bits";
    return false;
  }
  const std::size_t stride = std::size_t(w) * (deep ? 8 : 4);
  rows.resize(stride * std::size_t(h));
  for (int y = 0; y < h; ++y) png_read_row(png, rows.data() + std::size_t(y) * stride, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);

  Image img(w, h, depth);
  std::size_t at = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (deep) {
        std::uint16_t c[4];
        for (std::uint16_t& v : c) {
          v = gather16(std::uint16_t(rows[at] << 8 | rows[at + 1]));
          at += 2;
        }
        img.px16(x, y) = PF_Pixel16{c[3], c[0], c[1], c[2]};
      } else {
        img.px8(x, y) = PF_Pixel{rows[at + 3], rows[at], rows[at + 1], rows[at + 2]};
        at += 4;
      }
    }
  }
  *out = std::move(img);
  return true;
}

// Channel slices of an ARGB float image, in the order the file names them.
template <class Pixels>
Imf::FrameBuffer floatSlices(Pixels* base, int width) {
  using Byte = std::conditional_t<std::is_const<Pixels>::value, const char, char>;
  Imf::FrameBuffer fb;
  const std::size_t xs = sizeof(PF_PixelFloat), ys = xs * std::size_t(width);
  auto* p = reinterpret_cast<Byte*>(base);
  fb.insert("A", Imf::Slice(Imf::FLOAT, const_cast<char*>(p + offsetof(PF_PixelFloat, alpha)), xs, ys));
  fb.insert("R", Imf::Slice(Imf::FLOAT, const_cast<char*>(p + offsetof(PF_PixelFloat, red)), xs, ys));
  fb.insert("G", Imf::Slice(Imf::FLOAT, const_cast<char*>(p + offsetof(PF_PixelFloat, green)), xs, ys));
  fb.insert("B", Imf::Slice(Imf::FLOAT, const_cast<char*>(p + offsetof(PF_PixelFloat, blue)), xs, ys));
  return fb;
}

bool writeExr(std::string const& path, Image const& image, std::string* why) {
  try {
    Imf::Header header(image.width(), image.height());
    header.compression() = Imf::ZIP_COMPRESSION;
    for (const char* c : {"A", "B", "G", "R"}) header.channels().insert(c, Imf::Channel(Imf::FLOAT));
    Imf::OutputFile file(path.c_str(), header);
    file.setFrameBuffer(floatSlices(reinterpret_cast<const PF_PixelFloat*>(image.bytes()), image.width()));
    file.writePixels(image.height());
    return true;
  } catch (std::exception const& e) {
    *why = e.what();
    return false;
  }
}

bool readExr(std::string const& path, Image* out, std::string* why) {
  try {
    Imf::InputFile file(path.c_str());
    const Imath::Box2i dw = file.header().dataWindow();
    if (dw.min.x != 0 || dw.min.y != 0) {
      *why = path + ": data window does not start at 0, 0";
      return false;
    }
    for (const char* c : {"A", "B", "G", "R"}) {
      const Imf::Channel* ch = file.header().channels().findChannel(c);
      if (!ch || ch->type != Imf::FLOAT) {
        *why = path + ": no float channel " + c;
        return false;
      }
    }
    Image img(dw.max.x + 1, dw.max.y + 1, Depth::Bits32);
    file.setFrameBuffer(floatSlices(reinterpret_cast<PF_PixelFloat*>(img.bytes()), img.width()));
    file.readPixels(dw.min.y, dw.max.y);
    *out = std::move(img);
    return true;
  } catch (std::exception const& e) {
    *why = e.what();
    return false;
  }
}

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
  return image.depth() == Depth::Bits32 ? writeExr(path, image, why) : writePng(path, image, why);
}

bool read(std::string const& path, Depth depth, Image* out, std::string* why) {
  return depth == Depth::Bits32 ? readExr(path, out, why) : readPng(path, depth, out, why);
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
