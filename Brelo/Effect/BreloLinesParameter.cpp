#include "Brelo/Effect/BreloLinesParameter.h"

#include "Brelo/BreloColorsys.h"

namespace Brelo {

LinesParameter& LinesParameter::setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                                            ColorFloat<float> const& c3) {
  m_rgb_color1 = c1;
  m_rgb_color2 = c2;
  m_rgb_color3 = c3;
  Colorsys::Normalize(m_rgb_color1, m_rgb_color2, m_rgb_color3);
  return *this;
}

}  // namespace Brelo
