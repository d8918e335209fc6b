// Running the built brelo-render as a user would, in a directory of its own.
#pragma once

#include <string>
#include <vector>

#include "ReferenceFiles.h"
#include "TempDir.h"

namespace RenderTest {

using BreloTest::decodePngFile;
using BreloTest::encodePngFile;
using BreloTest::exists;
using BreloTest::PngPixels;
using BreloTest::readFile;
using BreloTest::TempDir;
using BreloTest::writeFile;

struct RunResult {
  int code = -1;
  std::string out, err;
};

// Runs brelo-render with `args` in `dir`; stdout and stderr are not terminals.
RunResult runTool(std::vector<std::string> const& args, std::string const& dir);

}  // namespace RenderTest
