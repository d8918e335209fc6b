#include "brelo_image/ExrFile.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "brelo_image/AtomicFile.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/ImageLimits.h"

namespace Brelo {
namespace ImageIO {

namespace {

// Rows converted and written at a time: a few of OpenEXR's 16-line blocks.
constexpr int kBandRows = 64;

// OpenEXR checks a header's data window against these before it allocates.
void limitOpenExr() {
  static const bool once = [] {
    Imf::Header::setMaxImageSize(kMaxImageSide, kMaxImageSide);
    return true;
  }();
  (void)once;
}

// OpenEXR writes through this into the atomic file. OpenEXR writes its last
// table from a destructor that swallows failures; the atomic file keeps them.
class FileStream : public Imf::OStream {
 public:
  FileStream(AtomicFile& file) : Imf::OStream(file.path().c_str()), m_file(file) {}
  void write(const char c[], int n) override { m_file.write(c, std::size_t(n)); }
  std::uint64_t tellp() override { return m_file.tell(); }
  void seekp(std::uint64_t pos) override { m_file.seek(pos); }

 private:
  AtomicFile& m_file;
};

// Slices over rows of PF_PixelFloat whose pixel (x, y) of the data window is
// at base + (y - y0) * rowBytes + (x - x0) * 16.
Imf::FrameBuffer pixelSlices(char* first, std::ptrdiff_t rowBytes, int x0, int y0, bool gray) {
  const std::size_t xs = sizeof(PF_PixelFloat);
  // OpenEXR addresses pixels from the origin of the data window's coordinates.
  char* base = first - std::ptrdiff_t(x0) * std::ptrdiff_t(xs) - std::ptrdiff_t(y0) * rowBytes;
  auto slice = [&](std::size_t offset, double fill) {
    return Imf::Slice(Imf::FLOAT, base + offset, xs, std::size_t(rowBytes), 1, 1, fill);
  };
  Imf::FrameBuffer fb;
  if (gray) {
    fb.insert("Y", slice(offsetof(PF_PixelFloat, red), 0.0));
  } else {
    fb.insert("R", slice(offsetof(PF_PixelFloat, red), 0.0));
    fb.insert("G", slice(offsetof(PF_PixelFloat, green), 0.0));
    fb.insert("B", slice(offsetof(PF_PixelFloat, blue), 0.0));
  }
  fb.insert("A", slice(offsetof(PF_PixelFloat, alpha), 1.0));
  return fb;
}

// Runs `f`, reporting OpenEXR's exceptions as an ImageError of `kind` about `path`.
template <class F>
auto reportingErrors(ImageError::Kind kind, std::string const& path, F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (ImageError const&) {
    throw;
  } catch (std::bad_alloc const&) {
    throw;
  } catch (std::exception const& e) {
    throw ImageError(kind,
                     (kind == ImageError::Kind::Read ? "cannot read " : "cannot write ") + path + ": " + e.what());
  }
}

}  // namespace

Sim::Image readExr(std::string const& path, Alpha alpha) {
  limitOpenExr();
  return reportingErrors(ImageError::Kind::Read, path, [&] {
    Imf::InputFile file(path.c_str());
    const Imath::Box2i dw = file.header().dataWindow();
    checkReadableSize(std::int64_t(dw.max.x) - dw.min.x + 1, std::int64_t(dw.max.y) - dw.min.y + 1, path);
    Imf::ChannelList const& channels = file.header().channels();
    const bool color = channels.findChannel("R") || channels.findChannel("G") || channels.findChannel("B");
    const bool gray = !color && channels.findChannel("Y");
    if (!color && !gray)
      throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": no R, G, B or Y channel to take colour from");
    for (const char* name : {"R", "G", "B", "Y", "A"}) {
      const Imf::Channel* c = channels.findChannel(name);
      if (c && (c->xSampling != 1 || c->ySampling != 1))
        throw ImageError(ImageError::Kind::Read, "cannot read " + path + ": channel " + name + " is subsampled");
    }
    Sim::Image image(dw.max.x - dw.min.x + 1, dw.max.y - dw.min.y + 1, Sim::Depth::Bits32);
    file.setFrameBuffer(pixelSlices(reinterpret_cast<char*>(image.bytes()), std::ptrdiff_t(image.rowBytes()), dw.min.x,
                                    dw.min.y, gray));
    file.readPixels(dw.min.y, dw.max.y);
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<PF_PixelFloat*>(image.bytes() + std::size_t(y) * image.rowBytes());
      if (gray) {
        for (int x = 0; x < image.width(); ++x) row[x].green = row[x].blue = row[x].red;
      }
      if (alpha == Alpha::AsFormatExpects) unpremultiplyRow(row, Sim::Depth::Bits32, image.width());
    }
    return image;
  });
}

void writeExr(PixelView const& view, std::string const& path, Alpha alpha) {
  AtomicFile file(path);
  reportingErrors(ImageError::Kind::Write, path, [&] {
    FileStream stream(file);
    Imf::Header header(view.width, view.height);
    for (const char* c : {"R", "G", "B", "A"}) header.channels().insert(c, Imf::Channel(Imf::FLOAT));
    Imf::OutputFile out(stream, header);
    const bool premultiply = alpha == Alpha::AsFormatExpects;
    if (view.depth == Sim::Depth::Bits32 && !premultiply) {
      // The host's floats as they are, straight from its rows.
      out.setFrameBuffer(
          pixelSlices(const_cast<char*>(reinterpret_cast<const char*>(view.data)), view.rowBytes, 0, 0, false));
      out.writePixels(view.height);
    } else {
      const RowLayout layout{SampleType::F32, ChannelOrder::ARGB, premultiply};
      const std::size_t bandRowBytes = rowBytes(layout, view.width);
      std::vector<char> band(bandRowBytes * std::size_t(std::min(kBandRows, view.height)));
      for (int y0 = 0; y0 < view.height; y0 += kBandRows) {
        const int rows = std::min(kBandRows, view.height - y0);
        for (int i = 0; i < rows; ++i)
          hostRowToSamples(view, y0 + i, layout, band.data() + std::size_t(i) * bandRowBytes);
        out.setFrameBuffer(pixelSlices(band.data(), std::ptrdiff_t(bandRowBytes), 0, y0, false));
        out.writePixels(rows);
      }
    }
  });
  file.commit();
}

}  // namespace ImageIO
}  // namespace Brelo
