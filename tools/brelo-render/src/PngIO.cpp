#include "brelo_render/PngIO.h"

#include <png.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "brelo_render/AtomicFile.h"
#include "brelo_render/ImageLimits.h"
#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

namespace {

// libpng reports errors by longjmp. The functions that call it keep no
// objects with destructors alive across setjmp; the message lands here.
struct PngFailure {
  char message[256] = {0};
};

void onPngError(png_structp png, png_const_charp msg) {
  auto* f = static_cast<PngFailure*>(png_get_error_ptr(png));
  if (f) std::snprintf(f->message, sizeof f->message, "%s", msg ? msg : "unknown libpng error");
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

struct Reader {
  std::FILE* file;
};

void readFromFile(png_structp png, png_bytep data, png_size_t size) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (std::fread(data, 1, size, r->file) != size) png_error(png, "the file ends too early: it is truncated");
}

struct Header {
  png_uint_32 width, height;
  int bitDepth;
};

bool readHeader(png_structp png, png_infop info, Header* h) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  h->width = png_get_image_width(png, info);
  h->height = png_get_image_height(png, info);
  int colorType = png_get_color_type(png, info);
  h->bitDepth = png_get_bit_depth(png, info);
  // Everything arrives as RGBA at 8 or 16 bits per channel.
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && h->bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, h->bitDepth == 16 ? 0xFFFF : 0xFF, PNG_FILLER_AFTER);
  if (h->bitDepth == 16) png_set_swap(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (h->bitDepth < 8) h->bitDepth = 8;
  return true;
}

bool readRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

struct Writer {
  std::vector<std::uint8_t>* out;
};

void writeToBuffer(png_structp png, png_bytep data, png_size_t size) {
  auto* w = static_cast<Writer*>(png_get_io_ptr(png));
  try {
    w->out->insert(w->out->end(), data, data + size);
  } catch (...) {
    png_error(png, "out of memory");
  }
}

void flushBuffer(png_structp) {}

bool writeRows(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height, int bits, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, width, height, bits, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  if (bits == 16) png_set_swap(png);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

std::uint8_t floatTo8(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return std::uint8_t(v * 255.0f + 0.5f);
}

std::uint16_t floatTo16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 65535;
  return std::uint16_t(v * 65535.0f + 0.5f);
}

}  // namespace

std::uint16_t pngToHost16(std::uint16_t v) { return std::uint16_t((std::uint32_t(v) * 32768u + 32767u) / 65535u); }

std::uint16_t hostToPng16(std::uint16_t v) {
  if (v >= 32768) return 65535;
  return std::uint16_t((std::uint32_t(v) * 65535u + 16384u) / 32768u);
}

bool hasPngSignature(const unsigned char* bytes, std::size_t size) {
  return size >= 8 && png_sig_cmp(bytes, 0, 8) == 0;
}

Sim::Image readPng(std::string const& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw RenderError(ExitCode::Input, "cannot read " + path + ": " + std::strerror(errno));
  // Signature and the image header's length, type, width and height.
  unsigned char head[24];
  std::size_t got = std::fread(head, 1, sizeof head, file.get());
  if (!hasPngSignature(head, got)) throw RenderError(ExitCode::Input, "cannot read " + path + ": not a PNG file");
  if (got < sizeof head) throw RenderError(ExitCode::Input, "cannot read " + path + ": the file ends too early: it is truncated");
  if (std::memcmp(head + 12, "IHDR", 4) != 0)
    throw RenderError(ExitCode::Input, "cannot read " + path + ": damaged PNG: no image header");
  auto be32 = [](const unsigned char* b) {
    return (std::int64_t(b[0]) << 24) | (std::int64_t(b[1]) << 16) | (std::int64_t(b[2]) << 8) | std::int64_t(b[3]);
  };
  // Absurd sizes are refused before anything is allocated for them.
  checkImageSize(be32(head + 16), be32(head + 20), path, ExitCode::Input);
  if (std::fseek(file.get(), 8, SEEK_SET) != 0)
    throw RenderError(ExitCode::Input, "cannot read " + path + ": " + std::strerror(errno));

  PngFailure failure;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, onPngError, onPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    throw RenderError(ExitCode::Internal, "cannot read " + path + ": out of memory");
  }
  struct Guard {
    png_structp* png;
    png_infop* info;
    ~Guard() { png_destroy_read_struct(png, info, nullptr); }
  } guard{&png, &info};
  Reader reader{file.get()};
  png_set_read_fn(png, &reader, readFromFile);
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);

  Header h{};
  if (!readHeader(png, info, &h)) throw RenderError(ExitCode::Input, "cannot read " + path + ": " + failure.message);
  checkImageSize(h.width, h.height, path, ExitCode::Input);

  Sim::Depth depth = h.bitDepth == 16 ? Sim::Depth::Bits16 : Sim::Depth::Bits8;
  std::size_t rowBytes = std::size_t(h.width) * 4 * (h.bitDepth == 16 ? 2 : 1);
  if (png_get_rowbytes(png, info) != rowBytes)
    throw RenderError(ExitCode::Input, "cannot read " + path + ": unexpected row layout");
  std::vector<std::uint8_t> pixels(rowBytes * h.height);
  std::vector<png_bytep> rows(h.height);
  for (png_uint_32 y = 0; y < h.height; ++y) rows[y] = pixels.data() + y * rowBytes;
  if (!readRows(png, info, rows.data())) throw RenderError(ExitCode::Input, "cannot read " + path + ": " + failure.message);

  Sim::Image image(int(h.width), int(h.height), depth);
  for (png_uint_32 y = 0; y < h.height; ++y) {
    for (png_uint_32 x = 0; x < h.width; ++x) {
      if (depth == Sim::Depth::Bits8) {
        const std::uint8_t* p = rows[y] + x * 4;
        image.px8(int(x), int(y)) = {p[3], p[0], p[1], p[2]};
      } else {
        std::uint16_t p[4];
        std::memcpy(p, rows[y] + x * 8, sizeof p);
        image.px16(int(x), int(y)) = {pngToHost16(p[3]), pngToHost16(p[0]), pngToHost16(p[1]), pngToHost16(p[2])};
      }
    }
  }
  return image;
}

std::vector<std::uint8_t> encodePng(Sim::Image const& image, int bits) {
  const int w = image.width(), h = image.height();
  const std::size_t rowBytes = std::size_t(w) * 4 * (bits == 16 ? 2 : 1);
  std::vector<std::uint8_t> pixels(rowBytes * std::size_t(h));
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = pixels.data() + std::size_t(y) * rowBytes;
    for (int x = 0; x < w; ++x) {
      if (bits == 8) {
        std::uint8_t* p = row + std::size_t(x) * 4;
        if (image.depth() == Sim::Depth::Bits8) {
          PF_Pixel const& s = image.px8(x, y);
          p[0] = s.red, p[1] = s.green, p[2] = s.blue, p[3] = s.alpha;
        } else {
          Sim::RGBA c = image.get(x, y);
          p[0] = floatTo8(c.r), p[1] = floatTo8(c.g), p[2] = floatTo8(c.b), p[3] = floatTo8(c.a);
        }
      } else {
        std::uint16_t p[4];
        if (image.depth() == Sim::Depth::Bits16) {
          PF_Pixel16 const& s = image.px16(x, y);
          p[0] = hostToPng16(s.red), p[1] = hostToPng16(s.green), p[2] = hostToPng16(s.blue);
          p[3] = hostToPng16(s.alpha);
        } else if (image.depth() == Sim::Depth::Bits8) {
          PF_Pixel const& s = image.px8(x, y);
          p[0] = std::uint16_t(s.red * 257), p[1] = std::uint16_t(s.green * 257), p[2] = std::uint16_t(s.blue * 257);
          p[3] = std::uint16_t(s.alpha * 257);
        } else {
          Sim::RGBA c = image.get(x, y);
          p[0] = floatTo16(c.r), p[1] = floatTo16(c.g), p[2] = floatTo16(c.b), p[3] = floatTo16(c.a);
        }
        std::memcpy(row + std::size_t(x) * 8, p, sizeof p);
      }
    }
  }
  std::vector<png_bytep> rows;
  rows.resize(std::size_t(h));
  for (int y = 0; y < h; ++y) rows[std::size_t(y)] = pixels.data() + std::size_t(y) * rowBytes;

  std::vector<std::uint8_t> out;
  PngFailure failure;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, onPngError, onPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw RenderError(ExitCode::Internal, "cannot encode a PNG: out of memory");
  }
  Writer writer{&out};
  png_set_write_fn(png, &writer, writeToBuffer, flushBuffer);
  bool ok = writeRows(png, info, png_uint_32(w), png_uint_32(h), bits, rows.data());
  png_destroy_write_struct(&png, &info);
  if (!ok) throw RenderError(ExitCode::Output, std::string("cannot encode a PNG: ") + failure.message);
  return out;
}

void writePng(Sim::Image const& image, int bits, std::string const& path) {
  AtomicFile f(path);
  std::vector<std::uint8_t> bytes = encodePng(image, bits);
  f.write(bytes.data(), bytes.size());
  f.commit();
}

}  // namespace Render
}  // namespace Brelo
