// Name of the SimpleLines effect as the host and the about box show them;
// version and flags are those of every Brelo effect (Shell/EffectVersion.h).
#pragma once

namespace Brelo {
namespace SimpleLinesVersion {

constexpr const char* kName = "BreloSimpleLines";

// Shown after the version in the about box.
constexpr const char* kNotice = "Bars of random width, length and colour, wiped bar by bar. Brelo.";

}  // namespace SimpleLinesVersion
}  // namespace Brelo
