// Finding a built effect module by its name: next to brelo-render, in the
// build tree it was built in, or where an installation puts modules.
#pragma once

#include <string>
#include <vector>

namespace Brelo {
namespace Render {

// "lines" and "simplelines" (any case) or the target names "BreloLines",
// "BreloSimpleLines". Throws RenderError (usage) for other names.
std::string moduleTargetName(std::string const& effect);

// The places a module of this target is looked for, in order.
std::vector<std::string> moduleCandidates(std::string const& target, std::string const& exeDir);

// The first candidate that exists; throws RenderError (module) naming the
// places looked in.
std::string findModule(std::string const& effect, std::string const& exeDir);

// The directory of the running executable.
std::string executableDir();

}  // namespace Render
}  // namespace Brelo
