// A file name with an optional frame number: "out.png", "shot_%04d.exr".
// Only one %d conversion (with an optional zero-padded width) and "%%" are
// taken; the name is never handed to printf.
#pragma once

#include <string>
#include <vector>

namespace Brelo {
namespace Render {

class FramePattern {
 public:
  FramePattern() = default;
  // Throws RenderError (usage) for any other % conversion or more than one;
  // `role` names the file in the message ("output").
  explicit FramePattern(std::string const& pattern, std::string const& role = "output");
  // The numbered pattern `text` is, or false for a plain name (no %d, or a
  // name the rules above do not take).
  static bool numberedPattern(std::string const& text, FramePattern* out);

  bool empty() const { return m_pattern.empty(); }
  bool numbered() const { return m_numbered; }
  std::string const& pattern() const { return m_pattern; }
  std::string name(long frame) const;

  // The frame whose name `name` is, exactly as name() writes it.
  bool frameOf(std::string const& name, long* frame) const;
  // Whether framesOnDisk can list the frames: the number is not in a folder's name.
  bool listable() const;
  // The frames whose files exist, in increasing order. Throws RenderError
  // (input) when the folder cannot be listed.
  std::vector<long> framesOnDisk() const;

 private:
  std::string m_pattern;
  std::string m_prefix, m_suffix;
  bool m_numbered = false;
  bool m_zero = false;
  int m_width = 0;
};

}  // namespace Render
}  // namespace Brelo
