#include "brelo_render/ModuleLocator.h"

#include <sys/stat.h>
#include <unistd.h>

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

struct KnownEffect {
  const char* shortName;
  const char* target;
  const char* sourceDir;  // where the build tree keeps the module
};

const KnownEffect kEffects[] = {
    {"lines", "BreloLines", "Lines"},
    {"simplelines", "BreloSimpleLines", "SimpleLines"},
};

#ifdef __APPLE__
constexpr const char* kModuleSuffix = ".plugin";
#else
constexpr const char* kModuleSuffix = ".so";
#endif

bool isFile(std::string const& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string moduleTargetName(std::string const& effect) {
  for (KnownEffect const& e : kEffects) {
    if (equalsIgnoreCase(effect, e.shortName) || equalsIgnoreCase(effect, e.target)) return e.target;
  }
  std::string names;
  for (KnownEffect const& e : kEffects) names += std::string(names.empty() ? "" : ", ") + e.shortName;
  throw RenderError(ExitCode::Usage, "unknown effect \"" + effect + "\"; the effects are " + names +
                                         " (or load any module with --plugin PATH)");
}

std::vector<std::string> moduleCandidates(std::string const& target, std::string const& exeDir) {
  std::string dir = target;
  for (KnownEffect const& e : kEffects) {
    if (target == e.target) dir = e.sourceDir;
  }
  std::string file = target + kModuleSuffix;
  return {
      exeDir + "/" + file,
      // The build tree: tools/brelo-render/ next to Lines/, SimpleLines/.
      exeDir + "/../../" + dir + "/" + file,
      exeDir + "/../lib/brelo/" + file,
  };
}

std::string findModule(std::string const& effect, std::string const& exeDir) {
  std::string target = moduleTargetName(effect);
  std::vector<std::string> places = moduleCandidates(target, exeDir);
  for (std::string const& p : places) {
    if (isFile(p)) return p;
  }
  std::string looked;
  for (std::string const& p : places) looked += (looked.empty() ? "" : ", ") + p;
  throw RenderError(ExitCode::Module, "the " + target + " module is not built (looked for " + looked + ")");
}

std::string executableDir() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, std::size_t(n));
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace Render
}  // namespace Brelo
