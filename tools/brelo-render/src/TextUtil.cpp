#include "brelo_render/TextUtil.h"

#include <algorithm>
#include <cctype>

namespace Brelo {
namespace Render {

std::string trim(std::string const& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string toLower(std::string s) {
  for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

bool equalsIgnoreCase(std::string const& a, std::string const& b) { return toLower(a) == toLower(b); }

std::size_t editDistance(std::string const& a0, std::string const& b0) {
  std::string a = toLower(a0), b = toLower(b0);
  std::vector<std::size_t> prev(b.size() + 1), cur(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) prev[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    cur[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t sub = prev[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, sub});
    }
    std::swap(prev, cur);
  }
  return prev[b.size()];
}

std::vector<std::string> split(std::string const& s, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char ch : s) {
    if (ch == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  out.push_back(cur);
  return out;
}

std::string oneLine(std::string s) {
  for (char& ch : s) {
    if (std::iscntrl(static_cast<unsigned char>(ch))) ch = ' ';
  }
  return s;
}

std::string excerpt(std::string const& s, std::size_t bytes) {
  std::string out;
  for (char ch : trim(s)) {
    const bool space = std::isspace(static_cast<unsigned char>(ch)) || std::iscntrl(static_cast<unsigned char>(ch));
    if (space && !out.empty() && out.back() == ' ') continue;
    out += space ? ' ' : ch;
  }
  if (out.size() <= bytes) return out;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(out[end]) & 0xC0) == 0x80) --end;
  return trim(out.substr(0, end)) + "...";
}

std::string shownText(std::string const& s) {
  constexpr std::size_t kShown = 80;
  return s.size() <= kShown ? oneLine(s) : excerpt(s, kShown);
}

}  // namespace Render
}  // namespace Brelo
