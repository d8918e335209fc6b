// JSON text for presets, both ways. Written, every number takes the shortest
// form that reads back to the same double (the library's own writer is not
// always the shortest), laid out as the library's dump(2). Read, an error
// says where it is, numbers out of range included, and nesting no preset
// needs is refused so that nothing later recurses deeply.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace Brelo {
namespace Render {

std::string jsonText(nlohmann::ordered_json const& value);

// "45.39843", "1e+300", "2.0": the shortest decimal that reads back as `v`,
// with ".0" where it would otherwise read as an integer; "null" for a value
// that is not finite, as the library writes it.
std::string shortestNumber(double v);

// What is wrong with a JSON text and where: "parse error at line 3, column
// 17: number 1e999 is out of range".
class JsonTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses `text`, arrays and objects nested at most `maxDepth` deep. Throws
// JsonTextError.
nlohmann::ordered_json readJsonText(std::string const& text, std::size_t maxDepth);

// At most `bytes` of a value's JSON text for a message, "..." when cut.
std::string jsonExcerpt(nlohmann::ordered_json const& value, std::size_t bytes = 60);

}  // namespace Render
}  // namespace Brelo
