#include "GoldenImage.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace BreloTest {

using Brelo::Sim::Depth;
using Brelo::Sim::Image;

namespace {

std::uint16_t to16(A_u_short v) { return v >= 32768 ? 65535 : static_cast<std::uint16_t>(v * 2); }
A_u_short from16(std::uint16_t p) { return p == 65535 ? 32768 : static_cast<A_u_short>(p / 2); }

std::uint16_t viewFloat(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 65535;
  return static_cast<std::uint16_t>(v * 65535.0f + 0.5f);
}

// RGBA rows as the PNG holds them (16-bit samples big-endian).
std::vector<std::uint8_t> pngRows(Image const& image, int* bitDepth) {
  int const w = image.width(), h = image.height();
  bool const wide = image.depth() != Depth::Bits8;
  *bitDepth = wide ? 16 : 8;
  std::vector<std::uint8_t> rows(std::size_t(w) * std::size_t(h) * (wide ? 8u : 4u));
  std::uint8_t* o = rows.data();
  auto put16 = [&o](std::uint16_t v) {
    *o++ = static_cast<std::uint8_t>(v >> 8);
    *o++ = static_cast<std::uint8_t>(v & 0xFF);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      switch (image.depth()) {
        case Depth::Bits8: {
          PF_Pixel const& p = image.px8(x, y);
          *o++ = p.red, *o++ = p.green, *o++ = p.blue, *o++ = p.alpha;
          break;
        }
        case Depth::Bits16: {
          PF_Pixel16 const& p = image.px16(x, y);
          put16(to16(p.red)), put16(to16(p.green)), put16(to16(p.blue)), put16(to16(p.alpha));
          break;
        }
        case Depth::Bits32: {
          PF_PixelFloat const& p = image.pxF(x, y);
          put16(viewFloat(p.red)), put16(viewFloat(p.green)), put16(viewFloat(p.blue)), put16(viewFloat(p.alpha));
          break;
        }
      }
    }
  }
  return rows;
}

bool writePng(std::string const& path, Image const& image, std::string* why) {
  int bitDepth = 8;
  std::vector<std::uint8_t> const rows = pngRows(image, &bitDepth);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return *why = "cannot write " + path, false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return *why = "libpng failed writing " + path, false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()),
               bitDepth, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::size_t const stride = std::size_t(image.width()) * (bitDepth == 16 ? 8u : 4u);
  for (int y = 0; y < image.height(); ++y) png_write_row(png, rows.data() + std::size_t(y) * stride);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

// Raw RGBA samples (16-bit ones big-endian) with the size.
bool readPng(std::string const& path, int* width, int* height, int* bitDepth, std::vector<std::uint8_t>* rows,
             std::string* why) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return *why = "missing " + path, false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return *why = "libpng failed reading " + path, false;
  }
  png_init_io(png, f);
  png_read_info(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return *why = path + " is not RGBA", false;
  }
  *width = static_cast<int>(png_get_image_width(png, info));
  *height = static_cast<int>(png_get_image_height(png, info));
  *bitDepth = png_get_bit_depth(png, info);
  std::size_t const stride = png_get_rowbytes(png, info);
  rows->assign(stride * std::size_t(*height), 0);
  for (int y = 0; y < *height; ++y) png_read_row(png, rows->data() + std::size_t(y) * stride, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return true;
}

}  // namespace

bool writeGolden(std::string const& base, Image const& image, std::string* why) {
  if (!writePng(base + ".png", image, why)) return false;
  if (image.depth() != Depth::Bits32) return true;
  std::ofstream raw(base + ".f32", std::ios::binary | std::ios::trunc);
  // Little-endian machines only write the bytes as they are.
  static_assert(sizeof(float) == 4, "32-bit floats");
  std::uint32_t const probe = 1;
  std::uint8_t first;
  std::memcpy(&first, &probe, 1);
  if (first != 1) return *why = "raw float references are written on little-endian machines", false;
  raw.write(reinterpret_cast<const char*>(image.bytes()),
            static_cast<std::streamsize>(image.rowBytes() * std::size_t(image.height())));
  if (!raw) return *why = "cannot write " + base + ".f32", false;
  return true;
}

bool readGolden(std::string const& base, Depth depth, Image* image, std::string* why) {
  int w = 0, h = 0, bits = 0;
  std::vector<std::uint8_t> rows;
  if (!readPng(base + ".png", &w, &h, &bits, &rows, why)) return false;
  Image out(w, h, depth);
  if (depth == Depth::Bits32) {
    std::ifstream raw(base + ".f32", std::ios::binary);
    if (!raw) return *why = "missing " + base + ".f32", false;
    std::vector<char> const bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
    if (bytes.size() != out.rowBytes() * std::size_t(h)) return *why = base + ".f32 has the wrong size", false;
    std::memcpy(out.bytes(), bytes.data(), bytes.size());
    *image = std::move(out);
    return true;
  }
  if (bits != (depth == Depth::Bits8 ? 8 : 16)) return *why = base + ".png has the wrong bit depth", false;
  std::uint8_t const* p = rows.data();
  auto get16 = [&p]() {
    std::uint16_t const v = static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    p += 2;
    return v;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (depth == Depth::Bits8) {
        PF_Pixel& px = out.px8(x, y);
        px.red = p[0], px.green = p[1], px.blue = p[2], px.alpha = p[3];
        p += 4;
      } else {
        PF_Pixel16& px = out.px16(x, y);
        px.red = from16(get16());
        px.green = from16(get16());
        px.blue = from16(get16());
        px.alpha = from16(get16());
      }
    }
  }
  *image = std::move(out);
  return true;
}

}  // namespace BreloTest
