// A frame on the simulated host for the renderer tests: a source world from
// an image, an output and a composite world of the same size and depth (rows
// padded by the host), and the three Layers over them.
#pragma once

#include <cstdint>
#include <memory>

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/BreloRandom.h"
#include "brelo_host/Host.h"
#include "brelo_host/Image.h"
#include "brelo_host/Session.h"

namespace Brelo {
namespace test {

inline BPC bpcOf(Sim::Depth d) {
  return d == Sim::Depth::Bits8 ? BPC::Bits8 : (d == Sim::Depth::Bits16 ? BPC::Bits16 : BPC::Bits32);
}

// Random straight colours; alpha at least `min_alpha` (normalised).
inline Sim::Image randomImage(int w, int h, Sim::Depth depth, int seed, float min_alpha = 0.0f) {
  Sim::Image img(w, h, depth);
  Random r(seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float const a = min_alpha + (1.0f - min_alpha) * r.randF();
      float const c[3] = {r.randF(), r.randF(), r.randF()};
      switch (depth) {
        case Sim::Depth::Bits8:
          img.px8(x, y) = PF_Pixel{static_cast<A_u_char>(a * 255.0f), static_cast<A_u_char>(c[0] * 255.0f),
                                   static_cast<A_u_char>(c[1] * 255.0f), static_cast<A_u_char>(c[2] * 255.0f)};
          if (min_alpha > 0.0f && img.px8(x, y).alpha == 0) img.px8(x, y).alpha = 1;
          break;
        case Sim::Depth::Bits16:
          img.px16(x, y) = PF_Pixel16{static_cast<A_u_short>(a * 32768.0f), static_cast<A_u_short>(c[0] * 32768.0f),
                                      static_cast<A_u_short>(c[1] * 32768.0f), static_cast<A_u_short>(c[2] * 32768.0f)};
          if (min_alpha > 0.0f && img.px16(x, y).alpha == 0) img.px16(x, y).alpha = 1;
          break;
        case Sim::Depth::Bits32:
          img.pxF(x, y) = PF_PixelFloat{a, c[0], c[1], c[2]};
          break;
      }
    }
  }
  return img;
}

class Scene {
 public:
  explicit Scene(Sim::Image const& image)
      : m_session(nullptr, image.width(), image.height()),
        m_scope(m_session.beginSmartRender(0, image.depth())),
        m_src(host().makeWorld(image)),
        m_out(host().makeWorld(image.width(), image.height(), image.depth())),
        m_comp(host().makeWorld(image.width(), image.height(), image.depth())),
        source(in(), m_scope->out_data(), m_src.get(), bpcOf(image.depth())),
        composite(in(), m_scope->out_data(), m_comp.get(), bpcOf(image.depth())),
        output(in(), m_scope->out_data(), m_out.get(), bpcOf(image.depth())) {}

  Sim::Host& host() { return m_session.host(); }
  PF_InData* in() { return m_scope->in_data(); }
  Sim::Image outputImage() { return host().readWorld(m_out.get()); }
  Sim::Image compositeImage() { return host().readWorld(m_comp.get()); }
  void setOutput(Sim::Image const& image) { host().writeWorld(m_out.get(), image); }
  void setComposite(Sim::Image const& image) { host().writeWorld(m_comp.get(), image); }
  bool paddingIntact() { return host().paddingIntact(m_out.get()) && host().paddingIntact(m_comp.get()); }

 private:
  Sim::Session m_session;
  std::unique_ptr<Sim::Session::Scope> m_scope;
  Sim::HostWorld m_src, m_out, m_comp;

 public:
  Layer source;
  Layer composite;
  Layer output;
};

}  // namespace test
}  // namespace Brelo
