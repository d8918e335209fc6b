// A file that cannot be read or written, or a request the formats cannot
// meet, with a one-line message for the user ("cannot read shot.exr: ...").
#pragma once

#include <stdexcept>
#include <string>

namespace Brelo {
namespace ImageIO {

class ImageError : public std::runtime_error {
 public:
  enum class Kind {
    Read,   // a missing, unreadable, damaged or unsupported input file
    Write,  // an output that cannot be written
    Usage,  // a name or depth no format takes
  };
  ImageError(Kind kind, std::string const& message) : std::runtime_error(oneLine(message)), m_kind(kind) {}
  Kind kind() const { return m_kind; }

  // Libraries break some messages over lines and quote names from the file
  // itself (a channel's name may hold a line break): each run of control
  // characters becomes one space, and no space ends the message.
  static std::string oneLine(std::string const& message) {
    std::string line;
    for (char const c : message) {
      bool const control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
      if (!control) {
        line += c;
      } else if (!line.empty() && line.back() != ' ') {
        line += ' ';
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
  }

 private:
  Kind m_kind;
};

}  // namespace ImageIO
}  // namespace Brelo
