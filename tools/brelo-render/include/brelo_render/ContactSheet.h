// One PNG that tiles the frames of an animation, left to right and top to
// bottom, for a quick look. Frames are reduced by area averaging and laid
// over a checkerboard, so transparency shows.
#pragma once

#include "brelo_host/Image.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace Render {

class ContactSheet {
 public:
  // Plans the layout for `count` frames of the given size.
  ContactSheet(int frameWidth, int frameHeight, int count);

  // Adds the next frame (any depth); frames beyond `count` are ignored.
  void add(ImageIO::PixelView const& frame);

  int columns() const { return m_columns; }
  int rows() const { return m_rows; }
  int thumbWidth() const { return m_thumbW; }
  int thumbHeight() const { return m_thumbH; }
  // Where frame `i` lies on the sheet.
  int cellX(int i) const;
  int cellY(int i) const;

  // An 8-bit opaque image.
  Sim::Image const& image() const { return m_sheet; }

 private:
  int m_frameW, m_frameH, m_count;
  int m_columns = 1, m_rows = 1;
  int m_thumbW = 1, m_thumbH = 1;
  int m_added = 0;
  Sim::Image m_sheet;
};

}  // namespace Render
}  // namespace Brelo
