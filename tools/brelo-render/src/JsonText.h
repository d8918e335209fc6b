// JSON text whose numbers read back exactly: each double in the shortest form
// that parses to the same value (the library's own writer is not always the
// shortest), laid out as the library's dump(2).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace Brelo {
namespace Render {

std::string jsonText(nlohmann::ordered_json const& value);

// "45.39843", "1e+300", "2.0": the shortest decimal that reads back as `v`,
// with ".0" where it would otherwise read as an integer; "null" for a value
// that is not finite, as the library writes it.
std::string shortestNumber(double v);

}  // namespace Render
}  // namespace Brelo
