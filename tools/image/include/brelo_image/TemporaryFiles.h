// The temporary files a program is writing (AtomicFile registers its own),
// removed when SIGINT, SIGHUP or SIGTERM ends the program once it has asked
// for that: an interrupted render leaves neither a partial output nor a
// hidden temporary. (Nothing can run on SIGKILL: a temporary being written
// then stays, under its hidden name next to its target.)
#pragma once

#include <string>

namespace Brelo {
namespace ImageIO {

class TemporaryFiles {
 public:
  // Removes every registered file, then ends the process by the signal as
  // it would have ended without a handler. Installed once for each of the
  // three signals, except one the process was started ignoring (nohup).
  static void removeOnSignals();

  // Registers `path` until the registration is destroyed (once the file has
  // been renamed into place or removed); register a file before creating
  // it, so that no signal finds it created but unregistered. Never throws;
  // a path that cannot be registered (too long, too many at once) is not
  // removed on a signal.
  class Registration {
   public:
    explicit Registration(std::string const& path);
    ~Registration();
    Registration(Registration const&) = delete;
    Registration& operator=(Registration const&) = delete;

   private:
    int m_slot;
  };
};

}  // namespace ImageIO
}  // namespace Brelo
