// Image files made and read through the plain interfaces of libpng, libtiff,
// libjpeg and OpenEXR, independently of the image module, so that the module
// and brelo-render can be checked against what the libraries themselves
// write and read. Samples are in the file's own scale (0..65535 for 16 bits).
#pragma once

#include <string>
#include <vector>

namespace BreloTest {

// ---- PNG
// RGBA rows as libpng reads them (expanded to 8 or 16 bits, gray to RGB,
// alpha added as opaque); 16-bit samples in native order.
struct PngPixels {
  int width = 0, height = 0, bits = 0, colorType = -1;
  std::vector<unsigned> samples;  // width * height * 4
  unsigned at(int x, int y, int channel) const {
    return samples[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4 + std::size_t(channel)];
  }
};
PngPixels decodePngFile(std::string const& path);

// `channels` 1 (gray), 2 (gray+alpha), 3 (RGB) or 4 (RGBA); samples as in
// PngPixels but with `channels` per pixel; `bits` 1, 2, 4, 8 or 16 (below 8
// for gray only).
void encodePngFile(std::string const& path, int width, int height, int channels, int bits,
                   std::vector<unsigned> const& samples, bool interlaced = false);
// A palette PNG: RGB entries, an alpha for the first entries (tRNS), indices.
void encodePalettePngFile(std::string const& path, int width, int height, std::vector<unsigned> const& rgb,
                          std::vector<unsigned> const& alpha, std::vector<unsigned> const& indices);

// ---- TIFF
struct TiffSpec {
  int width = 1, height = 1;
  int samplesPerPixel = 4;
  int bits = 8;
  bool isFloat = false;
  int photometric = 2;   // PHOTOMETRIC_RGB
  int extraSample = -1;  // EXTRASAMPLE_* for the sample after the colours; -1: none declared
  bool planarSeparate = false;
  int tileSize = 0;  // square tiles of this size; 0: strips
  int rowsPerStrip = 3;
  int orientation = 1;
  int compression = 1;  // COMPRESSION_NONE
  bool bigEndian = false;
};
// `samples` interleaved per pixel, converted to the sample type.
void writeTiffFile(std::string const& path, TiffSpec const& spec, std::vector<double> const& samples);

// ---- OpenEXR
struct ExrChannel {
  std::string name;
  bool half = false;
  std::vector<float> values;  // width * height
};
// The data window starts at (x0, y0).
void writeExrFile(std::string const& path, int width, int height, std::vector<ExrChannel> const& channels, int x0 = 0,
                  int y0 = 0);
// One channel as floats, and its type.
std::vector<float> readExrChannel(std::string const& path, std::string const& name, bool* isFloat = nullptr);

// ---- JPEG
// `components` 1 (gray), 3 (RGB) or 4 (CMYK).
void writeJpegFile(std::string const& path, int width, int height, int components, std::vector<unsigned> const& samples,
                   int quality = 100);

}  // namespace BreloTest
