#include "brelo_image/TiffFile.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "brelo_image/AtomicFile.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/ImageLimits.h"

namespace Brelo {
namespace ImageIO {

const TiffCompression kTiffCompression = {4};

namespace {

// libtiff's complaints about one file, the first one kept.
struct Complaint {
  std::string message;
};

int onTiffError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  auto* c = static_cast<Complaint*>(user);
  if (c && c->message.empty()) {
    char buf[512];
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    c->message = ImageError::oneLine(buf);
    (void)module;
  }
  return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct OpenOptions {
  std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> opts{TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree};
  explicit OpenOptions(Complaint* complaint) {
    if (!opts) throw std::bad_alloc();
    TIFFOpenOptionsSetErrorHandlerExtR(opts.get(), onTiffError, complaint);
    TIFFOpenOptionsSetWarningHandlerExtR(opts.get(), ignoreWarning, nullptr);
  }
};

using TiffPtr = std::unique_ptr<TIFF, void (*)(TIFF*)>;

[[noreturn]] void cannotRead(std::string const& path, std::string const& why) {
  throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": " + why);
}

// What a file's samples are and how they lie.
struct Layout {
  std::uint32_t width = 0, height = 0;
  std::uint16_t spp = 1, bits = 1, format = SAMPLEFORMAT_UINT, photometric = PHOTOMETRIC_MINISBLACK;
  std::uint16_t planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
  int colors = 1;      // 1 gray, 3 RGB
  bool alpha = false;  // the sample after the colours is alpha
  bool associated = false;
  SampleType type = SampleType::U8;
  std::size_t sampleBytes = 1;
};

Layout layoutOf(TIFF* tif, std::string const& path) {
  Layout l;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height))
    cannotRead(path, "damaged TIFF: no image size");
  checkReadableSize(l.width, l.height, path);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.format);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &l.orientation);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric)) l.photometric = PHOTOMETRIC_MINISBLACK;
  const std::string unsupported = "unsupported TIFF layout: ";
  if (l.format == SAMPLEFORMAT_UINT && (l.bits == 8 || l.bits == 16)) {
    l.type = l.bits == 8 ? SampleType::U8 : SampleType::U16;
  } else if (l.format == SAMPLEFORMAT_IEEEFP && l.bits == 32) {
    l.type = SampleType::F32;
  } else {
    cannotRead(path, unsupported + std::to_string(l.bits) + "-bit " +
                         (l.format == SAMPLEFORMAT_IEEEFP ? "float"
                          : l.format == SAMPLEFORMAT_INT  ? "signed"
                                                          : "integer") +
                         " samples (8- and 16-bit integers and 32-bit floats are read)");
  }
  l.sampleBytes = std::size_t(l.bits / 8);
  if (l.photometric == PHOTOMETRIC_MINISBLACK) {
    l.colors = 1;
  } else if (l.photometric == PHOTOMETRIC_RGB) {
    l.colors = 3;
  } else {
    const char* kind = l.photometric == PHOTOMETRIC_PALETTE      ? "palette colour"
                       : l.photometric == PHOTOMETRIC_SEPARATED  ? "CMYK"
                       : l.photometric == PHOTOMETRIC_YCBCR      ? "YCbCr"
                       : l.photometric == PHOTOMETRIC_MINISWHITE ? "white-is-zero gray"
                                                                 : nullptr;
    cannotRead(path, unsupported + (kind ? kind : "photometric interpretation " + std::to_string(l.photometric)) +
                         " (gray, gray with alpha, RGB and RGBA are read)");
  }
  if (l.spp > 16) cannotRead(path, unsupported + std::to_string(l.spp) + " samples a pixel");
  if (l.spp < l.colors)
    cannotRead(path, unsupported + std::to_string(l.spp) + " samples for " + std::to_string(l.colors) + " colours");
  std::uint16_t extraCount = 0;
  std::uint16_t* extra = nullptr;
  if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0 && l.spp > l.colors) {
    l.alpha = extra[0] == EXTRASAMPLE_ASSOCALPHA || extra[0] == EXTRASAMPLE_UNASSALPHA;
    l.associated = extra[0] == EXTRASAMPLE_ASSOCALPHA;
  } else if (l.spp == l.colors + 1) {
    // An alpha sample the writer did not declare: the usual reading of RGBA and gray+alpha files.
    l.alpha = true;
  }
  if (l.orientation < ORIENTATION_TOPLEFT || l.orientation > ORIENTATION_BOTLEFT)
    cannotRead(path, unsupported + "orientation " + std::to_string(l.orientation) + " (rows of columns)");
  return l;
}

// Reads the file a band of rows at a time into `band`, contiguous samples of
// whole rows, and hands each band to `take(firstRow, rows)`.
template <class Take>
bool readBands(TIFF* tif, Layout const& l, std::vector<std::uint8_t>& band, Take take) {
  const std::size_t rowSamples = std::size_t(l.width) * l.spp;
  const std::size_t rowBytes = rowSamples * l.sampleBytes;
  const bool separate = l.planar == PLANARCONFIG_SEPARATE && l.spp > 1;
  const int planes = separate ? l.spp : 1;
  if (TIFFIsTiled(tif)) {
    std::uint32_t tw = 0, th = 0;
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tw);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &th);
    if (tw == 0 || th == 0 || std::int64_t(tw) * th > kMaxImagePixels) return false;
    const tmsize_t tileSize = TIFFTileSize(tif);
    if (tileSize <= 0) return false;
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(tileSize));
    band.assign(rowBytes * th, 0);
    const std::size_t tileSpp = separate ? 1 : l.spp;
    const std::size_t tileRowBytes = std::size_t(tw) * tileSpp * l.sampleBytes;
    if (std::size_t(tileSize) < tileRowBytes * th) return false;
    for (std::uint32_t y0 = 0; y0 < l.height; y0 += th) {
      const std::uint32_t rows = std::min(th, l.height - y0);
      for (int p = 0; p < planes; ++p) {
        for (std::uint32_t x0 = 0; x0 < l.width; x0 += tw) {
          if (TIFFReadTile(tif, tile.data(), x0, y0, 0, std::uint16_t(p)) < 0) return false;
          const std::uint32_t cols = std::min(tw, l.width - x0);
          for (std::uint32_t r = 0; r < rows; ++r) {
            const std::uint8_t* src = tile.data() + r * tileRowBytes;
            std::uint8_t* dst = band.data() + r * rowBytes;
            if (!separate) {
              std::memcpy(dst + std::size_t(x0) * l.spp * l.sampleBytes, src,
                          std::size_t(cols) * l.spp * l.sampleBytes);
            } else {
              for (std::uint32_t c = 0; c < cols; ++c)
                std::memcpy(dst + ((std::size_t(x0) + c) * l.spp + std::size_t(p)) * l.sampleBytes,
                            src + std::size_t(c) * l.sampleBytes, l.sampleBytes);
            }
          }
        }
      }
      take(y0, rows);
    }
    return true;
  }
  std::uint32_t rps = l.height;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rps);
  rps = std::max<std::uint32_t>(1, std::min(rps, l.height));
  const std::uint32_t stripsPerPlane = (l.height + rps - 1) / rps;
  band.assign(rowBytes * rps, 0);
  std::vector<std::uint8_t> plane(separate ? std::size_t(l.width) * l.sampleBytes * rps : 0);
  for (std::uint32_t s = 0; s < stripsPerPlane; ++s) {
    const std::uint32_t y0 = s * rps, rows = std::min(rps, l.height - y0);
    const tmsize_t want = tmsize_t(rows * (separate ? std::size_t(l.width) * l.sampleBytes : rowBytes));
    if (!separate) {
      if (TIFFReadEncodedStrip(tif, s, band.data(), want) != want) return false;
    } else {
      for (int p = 0; p < planes; ++p) {
        if (TIFFReadEncodedStrip(tif, std::uint32_t(p) * stripsPerPlane + s, plane.data(), want) != want) return false;
        for (std::size_t i = 0; i < std::size_t(rows) * l.width; ++i)
          std::memcpy(band.data() + (i * l.spp + std::size_t(p)) * l.sampleBytes, plane.data() + i * l.sampleBytes,
                      l.sampleBytes);
      }
    }
    take(y0, rows);
  }
  return true;
}

void mirrorRow(std::uint8_t* row, int width, std::size_t pixelBytes) {
  std::vector<std::uint8_t> tmp(pixelBytes);
  for (int a = 0, b = width - 1; a < b; ++a, --b) {
    std::memcpy(tmp.data(), row + std::size_t(a) * pixelBytes, pixelBytes);
    std::memcpy(row + std::size_t(a) * pixelBytes, row + std::size_t(b) * pixelBytes, pixelBytes);
    std::memcpy(row + std::size_t(b) * pixelBytes, tmp.data(), pixelBytes);
  }
}

// ---- writing through the atomic file

tmsize_t readProc(thandle_t h, void* buf, tmsize_t size) {
  try {
    return tmsize_t(static_cast<AtomicFile*>(h)->read(buf, std::size_t(size)));
  } catch (std::exception const&) {
    return -1;
  }
}

tmsize_t writeProc(thandle_t h, void* buf, tmsize_t size) {
  try {
    static_cast<AtomicFile*>(h)->write(buf, std::size_t(size));
    return size;
  } catch (std::exception const&) {
    return -1;
  }
}

toff_t seekProc(thandle_t h, toff_t off, int whence) {
  auto* f = static_cast<AtomicFile*>(h);
  try {
    std::uint64_t base = whence == SEEK_CUR ? f->tell() : whence == SEEK_END ? f->size() : 0;
    f->seek(base + off);
    return f->tell();
  } catch (std::exception const&) {
    return toff_t(-1);
  }
}

int closeProc(thandle_t) { return 0; }

toff_t sizeProc(thandle_t h) {
  try {
    return static_cast<AtomicFile*>(h)->size();
  } catch (std::exception const&) {
    return 0;
  }
}

int mapProc(thandle_t, void**, toff_t*) { return 0; }
void unmapProc(thandle_t, void*, toff_t) {}

}  // namespace

Sim::Image readTiff(std::string const& path, Alpha alpha) {
  Complaint complaint;
  OpenOptions options(&complaint);
  TiffPtr tif(TIFFOpenExt(path.c_str(), "r", options.opts.get()), TIFFClose);
  if (!tif) cannotRead(path, complaint.message.empty() ? "damaged TIFF" : complaint.message);
  const Layout l = layoutOf(tif.get(), path);
  Sim::Image image(int(l.width), int(l.height), depthFor(l.type));
  const std::size_t pixelBytes = Sim::pixelSize(image.depth());
  const bool flip = l.orientation == ORIENTATION_BOTLEFT || l.orientation == ORIENTATION_BOTRIGHT;
  const bool mirror = l.orientation == ORIENTATION_TOPRIGHT || l.orientation == ORIENTATION_BOTRIGHT;
  const std::size_t rowBytes = std::size_t(l.width) * l.spp * l.sampleBytes;
  const int channels = l.colors + (l.alpha ? 1 : 0);
  std::vector<std::uint8_t> band;
  bool ok = readBands(tif.get(), l, band, [&](std::uint32_t y0, std::uint32_t rows) {
    for (std::uint32_t r = 0; r < rows; ++r) {
      const std::uint32_t y = flip ? l.height - 1 - (y0 + r) : y0 + r;
      std::uint8_t* out = image.bytes() + std::size_t(y) * image.rowBytes();
      samplesToHostRow(band.data() + r * rowBytes, l.type, channels, l.spp, int(l.width), out);
      if (mirror) mirrorRow(out, int(l.width), pixelBytes);
      if (l.associated && alpha == Alpha::AsFormatExpects) unpremultiplyRow(out, image.depth(), int(l.width));
    }
  });
  if (!ok)
    cannotRead(path, complaint.message.empty() ? "damaged TIFF: its pixel data cannot be read" : complaint.message);
  return image;
}

void writeTiff(PixelView const& view, int bits, std::string const& path) {
  if (bits != 8 && bits != 16 && bits != 32)
    throw ImageError(ImageError::Kind::Usage, path + ": TIFF files hold 8, 16 or 32 bits per channel");
  AtomicFile file(path);
  Complaint complaint;
  OpenOptions options(&complaint);
  TiffPtr tif(TIFFClientOpenExt(path.c_str(), "w", &file, readProc, writeProc, seekProc, closeProc, sizeProc, mapProc,
                                unmapProc, options.opts.get()),
              TIFFClose);
  auto fail = [&](std::string const& what) {
    throw ImageError(ImageError::Kind::Write,
                     "cannot write " + path + ": " + (complaint.message.empty() ? what : complaint.message));
  };
  if (!tif) fail("libtiff cannot start the file");
  const RowLayout layout{bits == 8    ? SampleType::U8
                         : bits == 16 ? SampleType::U16
                                      : SampleType::F32,
                         ChannelOrder::RGBA, false};
  const std::uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
  TIFF* t = tif.get();
  bool set =
      TIFFSetField(t, TIFFTAG_IMAGEWIDTH, std::uint32_t(view.width)) &&
      TIFFSetField(t, TIFFTAG_IMAGELENGTH, std::uint32_t(view.height)) &&
      TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, std::uint16_t(4)) &&
      TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, std::uint16_t(bits)) &&
      TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, std::uint16_t(bits == 32 ? SAMPLEFORMAT_IEEEFP : SAMPLEFORMAT_UINT)) &&
      TIFFSetField(t, TIFFTAG_PHOTOMETRIC, std::uint16_t(PHOTOMETRIC_RGB)) &&
      TIFFSetField(t, TIFFTAG_PLANARCONFIG, std::uint16_t(PLANARCONFIG_CONTIG)) &&
      TIFFSetField(t, TIFFTAG_EXTRASAMPLES, std::uint16_t(1), extra) &&
      TIFFSetField(t, TIFFTAG_ORIENTATION, std::uint16_t(ORIENTATION_TOPLEFT)) &&
      TIFFSetField(t, TIFFTAG_COMPRESSION, std::uint16_t(COMPRESSION_ADOBE_DEFLATE)) &&
      TIFFSetField(t, TIFFTAG_PREDICTOR, std::uint16_t(bits == 32 ? PREDICTOR_FLOATINGPOINT : PREDICTOR_HORIZONTAL)) &&
      TIFFSetField(t, TIFFTAG_ZIPQUALITY, kTiffCompression.zlibLevel) &&
      TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
  if (!set) fail("libtiff refused a tag");
  // libtiff may change the row it is given (byte order, predictor): a buffer of ours.
  std::vector<std::uint8_t> row(rowBytes(layout, view.width));
  for (int y = 0; y < view.height; ++y) {
    hostRowToSamples(view, y, layout, row.data());
    if (TIFFWriteScanline(t, row.data(), std::uint32_t(y), 0) < 0) fail("write failed");
  }
  if (TIFFFlush(t) != 1) fail("write failed");
  tif.reset();
  if (!complaint.message.empty()) fail("write failed");
  file.commit();
}

}  // namespace ImageIO
}  // namespace Brelo
