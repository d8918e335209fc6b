// Name of the Lines effect as the host and the about box show them; version
// and flags are those of every Brelo effect (Shell/EffectVersion.h).
#pragma once

namespace Brelo {
namespace LinesVersion {

constexpr const char* kName = "BreloLines";

// Shown after the version in the about box.
constexpr const char* kNotice = "Strips of the layer, each animated on its own. Brelo.";

}  // namespace LinesVersion
}  // namespace Brelo
