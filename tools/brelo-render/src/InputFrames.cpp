#include "brelo_render/InputFrames.h"

#include "brelo_image/ImageError.h"
#include "brelo_image/ImageFile.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TestCard.h"

namespace Brelo {
namespace Render {

InputFrames::InputFrames(Options const& o, FramePlan const& plan, std::ostream& err)
    : m_options(o), m_plan(plan), m_err(err) {}

Sim::Image InputFrames::first() {
  Sim::Image layer;
  if (!m_plan.sequence) {
    layer = m_options.input.empty() ? makeTestCard(m_options.cardWidth ? m_options.cardWidth : kTestCardWidth,
                                                   m_options.cardHeight ? m_options.cardHeight : kTestCardHeight)
                                    : ImageIO::readImage(m_options.input);
  } else {
    for (;; ++m_first) {
      if (m_first == m_plan.frames.size())
        throw RenderError(ExitCode::Input, "no input frame of " + m_plan.inputPattern.pattern() + " can be read");
      try {
        layer = ImageIO::readImage(m_plan.frames[m_first].input);
        break;
      } catch (ImageIO::ImageError const& e) {
        if (!m_options.keepGoing || e.kind() != ImageIO::ImageError::Kind::Read) throw;
        skip(m_first, e.what());
      }
    }
  }
  m_width = layer.width();
  m_height = layer.height();
  return layer;
}

bool InputFrames::read(std::size_t i, Sim::Image* layer, std::string* problem) {
  PlannedFrame const& f = m_plan.frames[i];
  try {
    Sim::Image next = ImageIO::readImage(f.input);
    if (next.width() == m_width && next.height() == m_height) {
      *layer = std::move(next);
      return true;
    }
    *problem = f.input + " is " + std::to_string(next.width()) + " x " + std::to_string(next.height()) +
               " pixels, but the sequence's frames are " + std::to_string(m_width) + " x " + std::to_string(m_height);
  } catch (ImageIO::ImageError const& e) {
    if (e.kind() != ImageIO::ImageError::Kind::Read) throw;
    *problem = e.what();
  }
  return false;
}

void InputFrames::skip(std::size_t i, std::string const& problem) {
  m_err << "brelo-render: skipped frame " << m_plan.frames[i].number << ": " << problem << "\n";
  m_skipped.push_back(m_plan.frames[i].number);
}

}  // namespace Render
}  // namespace Brelo
