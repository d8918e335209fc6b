// brelo-render: the command-line renderer of Brelo effect modules.
#include <unistd.h>

#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "brelo_render/Job.h"
#include "brelo_render/Options.h"
#include "brelo_render/RenderError.h"

int main(int argc, char** argv) {
  using namespace Brelo::Render;
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    Options options = parseOptions(args);
    return runJob(options, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
  } catch (RenderError const& e) {
    std::cout.flush();
    std::cerr << "brelo-render: " << e.what() << "\n";
    return int(e.code());
  } catch (Brelo::ImageIO::ImageError const& e) {
    std::cout.flush();
    std::cerr << "brelo-render: " << e.what() << "\n";
    return int(exitCodeOf(e));
  } catch (std::bad_alloc const&) {
    std::cerr << "brelo-render: out of memory\n";
    return int(ExitCode::Internal);
  } catch (std::exception const& e) {
    std::cerr << "brelo-render: internal error: " << e.what() << "\n";
    return int(ExitCode::Internal);
  }
}
