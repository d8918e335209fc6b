#include "brelo_render/OutputPattern.h"

#include <cctype>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

OutputPattern::OutputPattern(std::string const& pattern) : m_pattern(pattern) {
  std::string* part = &m_prefix;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char ch = pattern[i];
    if (ch != '%') {
      *part += ch;
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      *part += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool zero = j < pattern.size() && pattern[j] == '0';
    if (zero) ++j;
    int width = 0;
    while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])) && width < 100)
      width = width * 10 + (pattern[j++] - '0');
    if (j >= pattern.size() || pattern[j] != 'd' || width > 12)
      throw RenderError(ExitCode::Usage, "output " + pattern + ": a frame number is written %d or %04d; write %% for a percent sign");
    if (m_numbered) throw RenderError(ExitCode::Usage, "output " + pattern + ": only one frame number may appear");
    m_numbered = true;
    m_zero = zero;
    m_width = width;
    part = &m_suffix;
    i = j;
  }
}

std::string OutputPattern::name(long frame) const {
  if (!m_numbered) return m_prefix;
  std::string digits = std::to_string(frame < 0 ? -frame : frame);
  std::string sign = frame < 0 ? "-" : "";
  std::size_t len = sign.size() + digits.size();
  std::string pad = len < std::size_t(m_width) ? std::string(std::size_t(m_width) - len, m_zero ? '0' : ' ') : "";
  return m_prefix + (m_zero ? sign + pad + digits : pad + sign + digits) + m_suffix;
}

}  // namespace Render
}  // namespace Brelo
