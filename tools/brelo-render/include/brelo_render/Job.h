// One run of brelo-render: load the module as a host does, set its
// controls, render the frames and write what was asked for.
#pragma once

#include <ostream>

#include "brelo_render/Options.h"

namespace Brelo {
namespace Render {

// Returns the exit status; throws RenderError for every failure, after
// which no partial file is left (frames finished before stay). Results and
// the summary go to `out`, progress and warnings to `err`; the progress bar
// shows only when `errIsTerminal`.
int runJob(Options const& options, std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace Render
}  // namespace Brelo
