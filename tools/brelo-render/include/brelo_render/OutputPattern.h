// An output name with an optional frame number: "out.png", "out_%04d.png".
// Only one %d conversion (with an optional zero-padded width) and "%%" are
// taken; the name is never handed to printf.
#pragma once

#include <string>

namespace Brelo {
namespace Render {

class OutputPattern {
 public:
  OutputPattern() = default;
  // Throws RenderError (usage) for any other % conversion or more than one.
  explicit OutputPattern(std::string const& pattern);

  bool empty() const { return m_pattern.empty(); }
  bool numbered() const { return m_numbered; }
  std::string const& pattern() const { return m_pattern; }
  std::string name(long frame) const;

 private:
  std::string m_pattern;
  std::string m_prefix, m_suffix;
  bool m_numbered = false;
  bool m_zero = false;
  int m_width = 0;
};

}  // namespace Render
}  // namespace Brelo
