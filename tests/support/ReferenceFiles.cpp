#include "ReferenceFiles.h"

#include <png.h>
#include <tiffio.h>

#include <cstdio>

#include <jpeglib.h>

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <half.h>

#include <gtest/gtest.h>

namespace BreloTest {

namespace {

// libpng leaves by longjmp: these keep nothing with a destructor alive.
bool readAll(std::FILE* f, png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
  return true;
}

bool writeAll(std::FILE* f, png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

bool setHeader(png_structp png, png_infop info, int width, int height, int bits, int type, bool interlaced) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bits, type,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  return true;
}

void writePng(std::string const& path, int width, int height, int bits, int type, bool interlaced,
              std::vector<std::vector<png_byte>>& rows, std::vector<png_color> const* palette,
              std::vector<png_byte> const* trns) {
  std::vector<png_bytep> ptrs;
  for (auto& r : rows) ptrs.push_back(r.data());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  bool ok = setHeader(png, info, width, height, bits, type, interlaced);
  if (ok && palette) png_set_PLTE(png, info, palette->data(), int(palette->size()));
  if (ok && trns && !trns->empty()) png_set_tRNS(png, info, trns->data(), int(trns->size()), nullptr);
  png_set_rows(png, info, ptrs.data());
  ok = ok && writeAll(f, png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  ASSERT_TRUE(ok) << "libpng failed to write " << path;
}

}  // namespace

PngPixels decodePngFile(std::string const& path) {
  // The classic interface: the simplified one turns 16-bit files into linear light.
  PngPixels p;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return p;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (readAll(f, png, info)) {
    p.width = int(png_get_image_width(png, info));
    p.height = int(png_get_image_height(png, info));
    p.bits = png_get_bit_depth(png, info);
    p.colorType = png_get_color_type(png, info);
    const int channels = png_get_channels(png, info);
    png_bytepp rows = png_get_rows(png, info);
    p.samples.resize(std::size_t(p.width) * std::size_t(p.height) * 4);
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        for (int c = 0; c < 4; ++c) {
          unsigned v;
          if (c >= channels) {
            v = p.bits == 16 ? 65535u : 255u;
          } else if (p.bits == 16) {
            png_bytep s = rows[y] + (std::size_t(x) * std::size_t(channels) + std::size_t(c)) * 2;
            v = unsigned(s[0]) << 8 | s[1];
          } else {
            v = rows[y][std::size_t(x) * std::size_t(channels) + std::size_t(c)];
          }
          p.samples[(std::size_t(y) * std::size_t(p.width) + std::size_t(x)) * 4 + std::size_t(c)] = v;
        }
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return p;
}

void encodePngFile(std::string const& path, int width, int height, int channels, int bits,
                   std::vector<unsigned> const& samples, bool interlaced) {
  static const int kTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                               PNG_COLOR_TYPE_RGB_ALPHA};
  const std::size_t perRow = std::size_t(width) * std::size_t(channels);
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    std::vector<png_byte>& row = rows[std::size_t(y)];
    row.assign((perRow * std::size_t(bits) + 7) / 8, 0);
    for (std::size_t i = 0; i < perRow; ++i) {
      const unsigned v = samples[std::size_t(y) * perRow + i];
      if (bits == 16) {
        row[i * 2] = png_byte(v >> 8);
        row[i * 2 + 1] = png_byte(v & 0xFF);
      } else if (bits == 8) {
        row[i] = png_byte(v);
      } else {
        // Packed from the most significant bits, as the format lays them out.
        const std::size_t bit = i * std::size_t(bits);
        row[bit / 8] = png_byte(row[bit / 8] | (v << (8 - bits - int(bit % 8))));
      }
    }
  }
  writePng(path, width, height, bits, kTypes[channels], interlaced, rows, nullptr, nullptr);
}

void encodePalettePngFile(std::string const& path, int width, int height, std::vector<unsigned> const& rgb,
                          std::vector<unsigned> const& alpha, std::vector<unsigned> const& indices) {
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
    palette.push_back({png_byte(rgb[i]), png_byte(rgb[i + 1]), png_byte(rgb[i + 2])});
  std::vector<png_byte> trns(alpha.begin(), alpha.end());
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[std::size_t(y)].push_back(png_byte(indices[std::size_t(y * width + x)]));
  writePng(path, width, height, 8, PNG_COLOR_TYPE_PALETTE, false, rows, &palette, &trns);
}

void writeTiffFile(std::string const& path, TiffSpec const& s, std::vector<double> const& samples) {
  TIFF* t = TIFFOpen(path.c_str(), s.bigEndian ? "wb" : "wl");
  ASSERT_NE(t, nullptr);
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, std::uint32_t(s.width));
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, std::uint32_t(s.height));
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, std::uint16_t(s.samplesPerPixel));
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, std::uint16_t(s.bits));
  TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, std::uint16_t(s.isFloat ? SAMPLEFORMAT_IEEEFP : SAMPLEFORMAT_UINT));
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, std::uint16_t(s.photometric));
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, std::uint16_t(s.planarSeparate ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG));
  TIFFSetField(t, TIFFTAG_ORIENTATION, std::uint16_t(s.orientation));
  TIFFSetField(t, TIFFTAG_COMPRESSION, std::uint16_t(s.compression));
  std::vector<std::uint16_t> map(s.photometric == PHOTOMETRIC_PALETTE && s.bits <= 16 ? std::size_t(1) << s.bits : 0);
  if (!map.empty()) TIFFSetField(t, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
  if (s.extraSample >= 0) {
    std::uint16_t extra[1] = {std::uint16_t(s.extraSample)};
    TIFFSetField(t, TIFFTAG_EXTRASAMPLES, std::uint16_t(1), extra);
  }
  if (s.tileSize > 0) {
    TIFFSetField(t, TIFFTAG_TILEWIDTH, std::uint32_t(s.tileSize));
    TIFFSetField(t, TIFFTAG_TILELENGTH, std::uint32_t(s.tileSize));
  } else {
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, std::uint32_t(s.rowsPerStrip));
  }
  const int spp = s.samplesPerPixel, bytes = s.bits / 8;
  const int planes = s.planarSeparate ? spp : 1, perPixel = s.planarSeparate ? 1 : spp;
  auto put = [&](std::uint8_t* at, double v) {
    if (s.isFloat && bytes == 4) {
      const float f = float(v);
      std::memcpy(at, &f, 4);
    } else if (bytes == 4) {
      const std::uint32_t u = std::uint32_t(v);
      std::memcpy(at, &u, 4);
    } else if (bytes == 2) {
      // Half floats only need to exist: their value is never read.
      const std::uint16_t u = s.isFloat ? 0 : std::uint16_t(v);
      std::memcpy(at, &u, 2);
    } else {
      *at = std::uint8_t(v);
    }
  };

  auto sample = [&](int x, int y, int c) {
    return samples[(std::size_t(y) * std::size_t(s.width) + std::size_t(x)) * std::size_t(spp) + std::size_t(c)];
  };
  bool ok = true;
  for (int p = 0; p < planes; ++p) {
    if (s.tileSize > 0) {
      const int ts = s.tileSize;
      std::vector<std::uint8_t> tile(std::size_t(ts) * std::size_t(ts) * std::size_t(perPixel * bytes));
      for (int ty = 0; ty < s.height; ty += ts) {
        for (int tx = 0; tx < s.width; tx += ts) {
          std::fill(tile.begin(), tile.end(), 0);
          for (int y = 0; y < ts && ty + y < s.height; ++y)
            for (int x = 0; x < ts && tx + x < s.width; ++x)
              for (int c = 0; c < perPixel; ++c)
                put(tile.data() +
                        ((std::size_t(y) * std::size_t(ts) + std::size_t(x)) * std::size_t(perPixel) + std::size_t(c)) *
                            std::size_t(bytes),
                    sample(tx + x, ty + y, s.planarSeparate ? p : c));
          ok = ok && TIFFWriteTile(t, tile.data(), std::uint32_t(tx), std::uint32_t(ty), 0, std::uint16_t(p)) >= 0;
        }
      }
    } else {
      std::vector<std::uint8_t> row(std::size_t(s.width) * std::size_t(perPixel * bytes));
      for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x)
          for (int c = 0; c < perPixel; ++c)
            put(row.data() + (std::size_t(x) * std::size_t(perPixel) + std::size_t(c)) * std::size_t(bytes),
                sample(x, y, s.planarSeparate ? p : c));
        ok = ok && TIFFWriteScanline(t, row.data(), std::uint32_t(y), std::uint16_t(p)) >= 0;
      }
    }
  }
  TIFFClose(t);
  ASSERT_TRUE(ok) << "libtiff failed to write " << path;
}

void writeExrFile(std::string const& path, int width, int height, std::vector<ExrChannel> const& channels, int x0,
                  int y0) {
  Imf::Header header(Imath::Box2i({x0, y0}, {x0 + width - 1, y0 + height - 1}),
                     Imath::Box2i({x0, y0}, {x0 + width - 1, y0 + height - 1}));
  Imf::FrameBuffer fb;
  std::vector<std::vector<half>> halves;
  halves.reserve(channels.size());
  for (ExrChannel const& c : channels) {
    header.channels().insert(c.name, Imf::Channel(c.half ? Imf::HALF : Imf::FLOAT));
    const std::ptrdiff_t origin = std::ptrdiff_t(x0) + std::ptrdiff_t(y0) * width;
    if (c.half) {
      halves.emplace_back(c.values.begin(), c.values.end());
      fb.insert(c.name, Imf::Slice(Imf::HALF, reinterpret_cast<char*>(halves.back().data() - origin), sizeof(half),
                                   sizeof(half) * std::size_t(width)));
    } else {
      fb.insert(c.name,
                Imf::Slice(Imf::FLOAT, const_cast<char*>(reinterpret_cast<const char*>(c.values.data() - origin)),
                           sizeof(float), sizeof(float) * std::size_t(width)));
    }
  }
  Imf::OutputFile file(path.c_str(), header);
  file.setFrameBuffer(fb);
  file.writePixels(height);
}

std::vector<float> readExrChannel(std::string const& path, std::string const& name, bool* isFloat) {
  Imf::InputFile file(path.c_str());
  const Imath::Box2i dw = file.header().dataWindow();
  const int w = dw.max.x - dw.min.x + 1, h = dw.max.y - dw.min.y + 1;
  const Imf::Channel* ch = file.header().channels().findChannel(name);
  if (isFloat) *isFloat = ch && ch->type == Imf::FLOAT;
  std::vector<float> v(std::size_t(w) * std::size_t(h));
  const std::ptrdiff_t origin = std::ptrdiff_t(dw.min.x) + std::ptrdiff_t(dw.min.y) * w;
  Imf::FrameBuffer fb;
  fb.insert(name, Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(v.data() - origin), sizeof(float),
                             sizeof(float) * std::size_t(w)));
  file.setFrameBuffer(fb);
  file.readPixels(dw.min.y, dw.max.y);
  return v;
}

void writeJpegFile(std::string const& path, int width, int height, int components, std::vector<unsigned> const& samples,
                   int quality) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = JDIMENSION(width);
  c.image_height = JDIMENSION(height);
  c.input_components = components;
  c.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  // Full-resolution colour, so that only quantisation separates the pixels.
  for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
  for (int y = 0; y < height; ++y) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = JSAMPLE(samples[std::size_t(y) * row.size() + i]);
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

}  // namespace BreloTest
