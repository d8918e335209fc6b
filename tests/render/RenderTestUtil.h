// Running the built brelo-render (and other programs) as a user would, in a
// directory of its own.
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
// Runs one brelo-render process for each argument list, all at once.
std::vector<RunResult> runToolsAtOnce(std::vector<std::vector<std::string>> const& argLists, std::string const& dir);
// Runs argv[0] (a path, or a name looked up in PATH) with no input, in `dir`,
// its environment ours with the "NAME=value" entries of `env` in place.
// The code is -1 when the program cannot be started.
RunResult runProgram(std::vector<std::string> const& argv, std::string const& dir,
                     std::vector<std::string> const& env = {});

// Renders `module` with the --set assignments at every depth through the
// built tool (which lends the layer as the input world and writes the frame
// straight from the output world) and in process through a plain session,
// and expects the same pixels.
void expectToolRendersAsTheHost(std::string const& module, std::string const& effect,
                                std::vector<std::string> const& sets);

// Renders `module` with the --set assignments at 8, 16 and 32 bits, each
// with 1, 2 and 5 threads, and expects the same file bytes at each depth.
void expectIdenticalBytesAtEveryThreadCount(std::string const& module, std::vector<std::string> const& sets);

}  // namespace RenderTest
