#include "brelo_render/FramePattern.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

FramePattern::FramePattern(std::string const& pattern, std::string const& role) : m_pattern(pattern) {
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
      throw RenderError(ExitCode::Usage,
                        role + " " + pattern + ": a frame number is written %d or %04d; write %% for a percent sign");
    if (m_numbered) throw RenderError(ExitCode::Usage, role + " " + pattern + ": only one frame number may appear");
    m_numbered = true;
    m_zero = zero;
    m_width = width;
    part = &m_suffix;
    i = j;
  }
}

bool FramePattern::numberedPattern(std::string const& text, FramePattern* out) {
  if (text.find('%') == std::string::npos) return false;
  try {
    FramePattern p(text);
    if (!p.numbered()) return false;
    *out = p;
    return true;
  } catch (RenderError const&) {
    return false;
  }
}

std::string FramePattern::name(long frame) const {
  if (!m_numbered) return m_prefix;
  std::string digits = std::to_string(frame < 0 ? -frame : frame);
  std::string sign = frame < 0 ? "-" : "";
  std::size_t len = sign.size() + digits.size();
  std::string pad = len < std::size_t(m_width) ? std::string(std::size_t(m_width) - len, m_zero ? '0' : ' ') : "";
  return m_prefix + (m_zero ? sign + pad + digits : pad + sign + digits) + m_suffix;
}

bool FramePattern::frameOf(std::string const& name, long* frame) const {
  if (!m_numbered || name.size() <= m_prefix.size() + m_suffix.size()) return false;
  if (name.compare(0, m_prefix.size(), m_prefix) != 0 ||
      name.compare(name.size() - m_suffix.size(), m_suffix.size(), m_suffix) != 0)
    return false;
  std::string middle = name.substr(m_prefix.size(), name.size() - m_prefix.size() - m_suffix.size());
  std::size_t i = middle.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  std::string digits = middle.substr(i);
  if (digits.empty() || digits.size() > 18) return false;
  for (std::size_t k = digits[0] == '-' ? 1 : 0; k < digits.size(); ++k) {
    if (!std::isdigit(static_cast<unsigned char>(digits[k]))) return false;
  }
  errno = 0;
  char* end = nullptr;
  long n = std::strtol(digits.c_str(), &end, 10);
  if (errno != 0 || end != digits.c_str() + digits.size()) return false;
  // Only the name this pattern gives the number: "shot_01.exr" is not frame 1 of "shot_%04d.exr".
  if (this->name(n) != name) return false;
  *frame = n;
  return true;
}

bool FramePattern::listable() const { return m_numbered && m_suffix.find('/') == std::string::npos; }

std::vector<long> FramePattern::framesOnDisk() const {
  std::size_t slash = m_prefix.find_last_of('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : m_prefix.substr(0, slash);
  std::string lead = slash == std::string::npos ? "" : m_prefix.substr(0, slash + 1);
  DIR* d = opendir(dir.c_str());
  if (!d)
    throw RenderError(ExitCode::Input,
                      "cannot read the folder " + dir + " of " + m_pattern + ": " + std::strerror(errno));
  std::vector<long> frames;
  while (dirent* e = readdir(d)) {
    long n;
    if (frameOf(lead + e->d_name, &n)) frames.push_back(n);
  }
  closedir(d);
  std::sort(frames.begin(), frames.end());
  return frames;
}

}  // namespace Render
}  // namespace Brelo
