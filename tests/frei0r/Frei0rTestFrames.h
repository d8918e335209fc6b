// Frames as frei0r hosts hand them over (RGBA8888, rows packed) and the
// reference they are compared with: the same controls rendered by the
// simulated host's own path, as brelo-render renders them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "brelo_frei0r/FilterHost.h"
#include "brelo_host/Image.h"

namespace Frei0rTest {

using Frame = std::vector<std::uint32_t>;

// The built-in test card as RGBA8888.
Frame testCard(int width, int height);
// An 8-bit host image as RGBA8888.
Frame toFrame(Brelo::Sim::Image const& image);

// `controls` (brelo-render's --set settings, ';' or newline separated) and
// `preset` applied to a fresh effect instance in `host`, the card rendered
// at `seconds` through Session::render, as RGBA8888.
Frame reference(Brelo::Frei0r::FilterHost& host, std::string const& effect, int width, int height,
                std::string const& controls, double seconds, std::string const& preset = "");

}  // namespace Frei0rTest
