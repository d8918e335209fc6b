// brelo-render: the command-line renderer of Brelo effect modules.
#include <signal.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "brelo_image/TemporaryFiles.h"
#include "brelo_render/Job.h"
#include "brelo_render/Options.h"
#include "brelo_render/RenderError.h"

namespace {

// What went to the standard output reached it, or the run failed to write.
int checkedOutput(int code) {
  errno = 0;
  std::cout.flush();
  int err = errno;
  if (std::fflush(stdout) != 0 && !err) err = errno;
  if (std::cout.good() && !std::ferror(stdout)) return code;
  std::cerr << "brelo-render: cannot write the standard output" << (err ? std::string(": ") + std::strerror(err) : "")
            << "\n";
  return code ? code : int(Brelo::Render::ExitCode::Output);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace Brelo::Render;
#if defined(__GLIBC__)
  // Buffers up to 16 MiB (a 1080p frame at 8 or 16 bits) come from the heap
  // and stay there for the next frame, instead of going back to the kernel
  // when freed and being faulted in and cleared again: a tenth of a 1080p
  // clip's time. Larger ones are mapped and unmapped as before, so that a
  // 4K frame's peak does not grow by buffers the heap keeps.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
  // A file-size limit fails the write (exit 6, the temporary removed)
  // instead of killing the process; a signal that ends the run removes
  // the temporaries it was writing.
  signal(SIGXFSZ, SIG_IGN);
  Brelo::ImageIO::TemporaryFiles::removeOnSignals();
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    Options options = parseOptions(args);
    return checkedOutput(runJob(options, std::cout, std::cerr, isatty(STDERR_FILENO) != 0));
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
