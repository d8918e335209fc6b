// The golden render cases of both effects: the input layer, the settings and
// the depth of each reference render in tests/golden/<effect>/. The golden
// tests and the render driver (which runs the same cases on the Windows
// modules) share them; nothing here needs a test framework.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "brelo_host/Image.h"
#include "brelo_host/Session.h"

namespace BreloTest {

enum class Effect { Lines, SimpleLines };

// "lines" / "simplelines": the folder of the effect's references.
const char* effectName(Effect effect);

// Every golden render is of this size, in pixels.
constexpr int kLayerWidth = 64;
constexpr int kLayerHeight = 48;

// The Lines layer (32-bit float): red grows to the right, green downwards,
// blue in a checkerboard of 8-pixel squares; a half-transparent block at the
// top right and a fully transparent one (with colour left in it) at the
// bottom left.
Brelo::Sim::Image syntheticLayer();

// The SimpleLines layer (8 bits) of any size: colour in every channel, a
// fully transparent top-left quarter and a half-transparent bottom quarter,
// so that copies, fills and blends all show.
Brelo::Sim::Image simpleLinesLayer(int width, int height);

struct GoldenCase {
  std::string name;  // file name of the reference, without extension
  Brelo::Sim::Depth depth;  // depth of the reference
  std::function<void(Brelo::Sim::Session&)> settings;
};

std::vector<GoldenCase> const& goldenCases(Effect effect);

// Cases without a reference file, for the maths whose last bits may differ
// between C runtimes: powers other than 1, the Expo and Sine easing curves,
// Soft Light, an oblique direction. The render driver runs them on every
// platform, and a Windows run is compared with the Linux one. Their depth is
// that of the nearest golden case.
std::vector<GoldenCase> const& platformCases(Effect effect);

// A session on `entry` with the effect's golden layer, after global set-up,
// parameter set-up and a UI update (their first error in *setupErr).
std::unique_ptr<Brelo::Sim::Session> goldenSession(Effect effect, PF_EntryPointFunc entry, PF_Err* setupErr);

}  // namespace BreloTest
