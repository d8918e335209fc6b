#include "brelo_render/ContactSheet.h"

#include <algorithm>
#include <cmath>

namespace Brelo {
namespace Render {

namespace {

constexpr int kGap = 4;
constexpr int kMaxThumb = 256;     // the larger side of a thumbnail
constexpr int kMaxColumns = 10;
constexpr int kMaxSheetSide = 16384;
constexpr int kChecker = 8;

std::uint8_t to8(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return std::uint8_t(v * 255.0f + 0.5f);
}

}  // namespace

ContactSheet::ContactSheet(int frameWidth, int frameHeight, int count)
    : m_frameW(std::max(frameWidth, 1)), m_frameH(std::max(frameHeight, 1)), m_count(std::max(count, 1)) {
  m_columns = std::min(kMaxColumns, int(std::ceil(std::sqrt(double(m_count)))));
  m_rows = (m_count + m_columns - 1) / m_columns;
  double scale = std::min(1.0, double(kMaxThumb) / std::max(m_frameW, m_frameH));
  // Long animations get smaller thumbnails rather than an endless sheet.
  scale = std::min(scale, (double(kMaxSheetSide) / m_rows - kGap) / m_frameH);
  scale = std::min(scale, (double(kMaxSheetSide) / m_columns - kGap) / m_frameW);
  // Rounded down, so that the bounds above hold.
  m_thumbW = std::max(1, int(std::floor(m_frameW * scale + 1e-9)));
  m_thumbH = std::max(1, int(std::floor(m_frameH * scale + 1e-9)));
  m_sheet = Sim::Image(kGap + m_columns * (m_thumbW + kGap), kGap + m_rows * (m_thumbH + kGap), Sim::Depth::Bits8);
  m_sheet.fill({1.0f, 0.125f, 0.125f, 0.125f});
}

int ContactSheet::cellX(int i) const { return kGap + (i % m_columns) * (m_thumbW + kGap); }
int ContactSheet::cellY(int i) const { return kGap + (i / m_columns) * (m_thumbH + kGap); }

void ContactSheet::add(ImageIO::PixelView const& frame) {
  if (m_added >= m_count || frame.width <= 0 || frame.height <= 0) return;
  const int ox = cellX(m_added), oy = cellY(m_added);
  ++m_added;
  const int fw = frame.width, fh = frame.height;
  for (int ty = 0; ty < m_thumbH; ++ty) {
    int y0 = int(std::int64_t(ty) * fh / m_thumbH), y1 = std::max(y0 + 1, int(std::int64_t(ty + 1) * fh / m_thumbH));
    for (int tx = 0; tx < m_thumbW; ++tx) {
      int x0 = int(std::int64_t(tx) * fw / m_thumbW), x1 = std::max(x0 + 1, int(std::int64_t(tx + 1) * fw / m_thumbW));
      // Average with premultiplied colour, so transparent pixels add no colour.
      double a = 0, r = 0, g = 0, b = 0;
      for (int y = y0; y < y1 && y < fh; ++y) {
        for (int x = x0; x < x1 && x < fw; ++x) {
          Sim::RGBA c = frame.get(x, y);
          double ca = double(std::min(std::max(c.a, 0.0f), 1.0f));
          a += ca, r += double(c.r) * ca, g += double(c.g) * ca, b += double(c.b) * ca;
        }
      }
      double n = double(std::min(y1, fh) - y0) * double(std::min(x1, fw) - x0);
      a /= n, r /= n, g /= n, b /= n;
      float back = ((tx / kChecker + ty / kChecker) % 2) ? 0.4f : 0.6f;
      float k = float(1.0 - a);
      PF_Pixel& out = m_sheet.px8(ox + tx, oy + ty);
      out = {255, to8(float(r) + back * k), to8(float(g) + back * k), to8(float(b) + back * k)};
    }
  }
}

}  // namespace Render
}  // namespace Brelo
