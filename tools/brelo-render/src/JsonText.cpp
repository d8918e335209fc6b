#include "JsonText.h"

#include <charconv>
#include <cmath>

namespace Brelo {
namespace Render {

namespace {

void write(std::string& out, nlohmann::ordered_json const& j, std::size_t indent) {
  using Type = nlohmann::ordered_json::value_t;
  const std::string inner(indent + 2, ' ');
  switch (j.type()) {
    case Type::object: {
      if (j.empty()) {
        out += "{}";
        return;
      }
      out += "{\n";
      bool first = true;
      for (auto const& item : j.items()) {
        out += first ? "" : ",\n";
        first = false;
        out += inner + nlohmann::ordered_json(item.key()).dump() + ": ";
        write(out, item.value(), indent + 2);
      }
      out += "\n" + std::string(indent, ' ') + "}";
      return;
    }
    case Type::array: {
      if (j.empty()) {
        out += "[]";
        return;
      }
      out += "[\n";
      for (std::size_t i = 0; i < j.size(); ++i) {
        out += (i ? ",\n" : "") + inner;
        write(out, j[i], indent + 2);
      }
      out += "\n" + std::string(indent, ' ') + "]";
      return;
    }
    case Type::number_float:
      out += shortestNumber(j.get<double>());
      return;
    default:
      out += j.dump();
      return;
  }
}

}  // namespace

std::string shortestNumber(double v) {
  if (!std::isfinite(v)) return "null";  // as the library writes them
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

std::string jsonText(nlohmann::ordered_json const& value) {
  std::string out;
  write(out, value, 0);
  return out;
}

}  // namespace Render
}  // namespace Brelo
