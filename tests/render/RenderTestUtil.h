// Running the built brelo-render (and other programs) as a user would, in a
// directory of its own.
#pragma once

#include <string>
#include <vector>

#include "brelo_host/Image.h"

namespace RenderTest {

// A fresh directory, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(TempDir const&) = delete;
  TempDir& operator=(TempDir const&) = delete;
  std::string const& path() const { return m_path; }
  std::string operator/(std::string const& name) const { return m_path + "/" + name; }
  // Names of the entries, sorted; hidden ones included.
  std::vector<std::string> entries() const;

 private:
  std::string m_path;
};

struct RunResult {
  int code = -1;
  std::string out, err;
};

// Runs brelo-render with `args` in `dir`; stdout and stderr are not terminals.
RunResult runTool(std::vector<std::string> const& args, std::string const& dir);
// Runs argv[0] (a path, or a name looked up in PATH) with no input, in `dir`,
// its environment ours with the "NAME=value" entries of `env` in place.
// The code is -1 when the program cannot be started.
RunResult runProgram(std::vector<std::string> const& argv, std::string const& dir,
                     std::vector<std::string> const& env = {});

std::string readFile(std::string const& path);
void writeFile(std::string const& path, std::string const& bytes);
bool exists(std::string const& path);

// Pixels of a PNG as read by libpng itself: RGBA rows, 8 or 16 bits per
// sample (16-bit samples in native order).
struct PngPixels {
  int width = 0, height = 0, bits = 0;
  std::vector<unsigned> samples;  // width * height * 4
  unsigned at(int x, int y, int channel) const { return samples[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4 + std::size_t(channel)]; }
};
PngPixels decodePngFile(std::string const& path);

// Writes a PNG with libpng: `channels` 1 (gray), 2 (gray+alpha), 3 (RGB) or 4
// (RGBA); samples as in PngPixels but with `channels` per pixel.
void encodePngFile(std::string const& path, int width, int height, int channels, int bits,
                   std::vector<unsigned> const& samples);

}  // namespace RenderTest
