#include "Frei0rTestFrames.h"

#include <gtest/gtest.h>

#include "brelo_frei0r/RgbaFrameIO.h"
#include "brelo_host/Session.h"
#include "brelo_render/ControlScript.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/Preset.h"
#include "brelo_render/TestCard.h"

namespace Frei0rTest {

using namespace Brelo;

Frame toFrame(Sim::Image const& image) {
  Frame f(std::size_t(image.width()) * std::size_t(image.height()));
  Frei0r::argbToRgba(image.bytes(), reinterpret_cast<std::uint8_t*>(f.data()), image.width() * image.height());
  return f;
}

Frame testCard(int width, int height) { return toFrame(Render::makeTestCard(width, height)); }

Frame reference(Frei0r::FilterHost& host, std::string const& effect, int width, int height,
                std::string const& controls, double seconds, std::string const& preset) {
  Sim::Session session(host.host(), host.entry(), width, height);
  session.setInput(Render::makeTestCard(width, height));
  Render::TimeBase const tb;
  Render::EffectControls c(session, effect, tb, {width, height});
  if (!preset.empty()) Render::loadPreset(c, preset);
  Render::applyControlScript(c, controls);
  Sim::RenderResult r = session.render(Render::secondsToTime(seconds, tb, "test"), Sim::Depth::Bits8);
  EXPECT_EQ(r.err, 0) << r.return_msg;
  EXPECT_EQ(r.image.width(), width);
  EXPECT_EQ(r.image.height(), height);
  return toFrame(r.image);
}

}  // namespace Frei0rTest
