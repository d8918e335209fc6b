#include "brelo_render/ExrIO.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>

#include <cstdint>
#include <exception>
#include <vector>

#include "brelo_render/AtomicFile.h"
#include "brelo_render/ImageLimits.h"
#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

namespace {

// One float plane of the frame.
struct Plane {
  const char* name;
  std::vector<float> data;
};

Imf::Slice sliceOf(std::vector<float>& v, int width, double fill = 0.0) {
  return Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(v.data()), sizeof(float), sizeof(float) * std::size_t(width),
                    1, 1, fill);
}

}  // namespace

bool hasExrSignature(const unsigned char* bytes, std::size_t size) {
  return size >= 4 && bytes[0] == 0x76 && bytes[1] == 0x2f && bytes[2] == 0x31 && bytes[3] == 0x01;
}

Sim::Image readExr(std::string const& path) {
  try {
    Imf::InputFile file(path.c_str());
    Imath::Box2i dw = file.header().dataWindow();
    std::int64_t w = std::int64_t(dw.max.x) - dw.min.x + 1, h = std::int64_t(dw.max.y) - dw.min.y + 1;
    checkImageSize(w, h, path, ExitCode::Input);
    const int width = int(w), height = int(h);
    const std::size_t n = std::size_t(w) * std::size_t(h);
    Imf::ChannelList const& channels = file.header().channels();
    bool hasColor = channels.findChannel("R") || channels.findChannel("G") || channels.findChannel("B");
    bool gray = !hasColor && channels.findChannel("Y");
    std::vector<float> r(n), g(n), b(n), a(n), y(gray ? n : 0);
    // Slices address the data window's origin, wherever it lies.
    const std::ptrdiff_t origin = std::ptrdiff_t(dw.min.x) + std::ptrdiff_t(dw.min.y) * width;
    auto slice = [&](std::vector<float>& v, double fill) {
      return Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(v.data() - origin), sizeof(float),
                        sizeof(float) * std::size_t(width), 1, 1, fill);
    };
    Imf::FrameBuffer fb;
    if (gray) {
      fb.insert("Y", slice(y, 0.0));
    } else {
      fb.insert("R", slice(r, 0.0));
      fb.insert("G", slice(g, 0.0));
      fb.insert("B", slice(b, 0.0));
    }
    fb.insert("A", slice(a, 1.0));
    file.setFrameBuffer(fb);
    file.readPixels(dw.min.y, dw.max.y);

    Sim::Image image(width, height, Sim::Depth::Bits32);
    for (int yy = 0; yy < height; ++yy) {
      for (int xx = 0; xx < width; ++xx) {
        std::size_t i = std::size_t(yy) * std::size_t(width) + std::size_t(xx);
        float cr = gray ? y[i] : r[i], cg = gray ? y[i] : g[i], cb = gray ? y[i] : b[i];
        float alpha = a[i];
        // Straight colour for the host; fully transparent pixels keep theirs.
        if (alpha != 0.0f && alpha != 1.0f) cr /= alpha, cg /= alpha, cb /= alpha;
        image.pxF(xx, yy) = {alpha, cr, cg, cb};
      }
    }
    return image;
  } catch (RenderError const&) {
    throw;
  } catch (std::exception const& e) {
    throw RenderError(ExitCode::Input, "cannot read " + path + ": " + e.what());
  }
}

void writeExr(Sim::Image const& image, std::string const& path) {
  AtomicFile f(path);
  const int width = image.width(), height = image.height();
  const std::size_t n = std::size_t(width) * std::size_t(height);
  Plane planes[4] = {{"R", std::vector<float>(n)}, {"G", std::vector<float>(n)}, {"B", std::vector<float>(n)},
                     {"A", std::vector<float>(n)}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Sim::RGBA c = image.get(x, y);
      std::size_t i = std::size_t(y) * std::size_t(width) + std::size_t(x);
      float a = c.a;
      planes[0].data[i] = a == 1.0f ? c.r : c.r * a;
      planes[1].data[i] = a == 1.0f ? c.g : c.g * a;
      planes[2].data[i] = a == 1.0f ? c.b : c.b * a;
      planes[3].data[i] = a;
    }
  }
  try {
    Imf::Header header(width, height);
    Imf::FrameBuffer fb;
    for (Plane& p : planes) {
      header.channels().insert(p.name, Imf::Channel(Imf::FLOAT));
      fb.insert(p.name, sliceOf(p.data, width));
    }
    Imf::OutputFile file(f.tempPath().c_str(), header);
    file.setFrameBuffer(fb);
    file.writePixels(height);
  } catch (std::exception const& e) {
    throw RenderError(ExitCode::Output, "cannot write " + path + ": " + e.what());
  }
  f.commit();
}

}  // namespace Render
}  // namespace Brelo
