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
  ImageError(Kind kind, std::string const& message) : std::runtime_error(message), m_kind(kind) {}
  Kind kind() const { return m_kind; }

 private:
  Kind m_kind;
};

}  // namespace ImageIO
}  // namespace Brelo
