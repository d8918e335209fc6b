// Preset files as anyone may write them, loaded onto the simulated host's
// test effect (every kind of control, one supervised). Whatever the text, it
// is taken or refused with a usage error on one line of bounded length; a
// taken preset saved again and loaded again gives the same text and holds
// the same values.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "SimTestPlugin.h"
#include "brelo_host/Session.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/Preset.h"
#include "brelo_render/RenderError.h"

namespace {

using namespace Brelo;
using namespace Brelo::Render;

std::string g_input;

[[noreturn]] void fail(std::string const& what) {
  std::fprintf(stderr, "%s\npreset: %s\n", what.c_str(), g_input.c_str());
  std::abort();
}

// Key times and held values of every control, at times around the keys.
using Held = std::vector<std::pair<std::vector<double>, std::vector<std::array<double, 4>>>>;

// Loads `text` onto a fresh instance; the preset text it then saves, and
// what it holds. Throws RenderError as loading does.
std::string loadAndSave(std::string const& text, Held* held) {
  Sim::Session session(EntryPointFunc, 64, 48);
  EffectControls controls(session, "SimTestModule", TimeBase{}, LayerSize{64, 48});
  loadPresetText(controls, text, "p.json");
  Sim::Instance const& inst = session.instance();
  held->clear();
  for (ControlInfo const& c : controls.controls()) {
    if (!c.settable()) continue;
    std::vector<std::array<double, 4>> values;
    for (A_long t = -30000; t <= 90000; t += 2999) values.push_back(inst.heldValue(c.index, t));
    held->push_back({inst.keyframeTimes(c.index), values});
  }
  return presetText(controls);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  BreloFuzz::FuzzInput in(data, size);
  g_input = in.rest();
  Held first, second;
  std::string saved;
  try {
    saved = loadAndSave(g_input, &first);
  } catch (RenderError const& e) {
    const std::string m = e.what();
    if (e.code() != ExitCode::Usage) fail("not a usage error: " + m);
    if (m.rfind("p.json: ", 0) != 0) fail("a message that does not name the file: " + m);
    if (m.find('\n') != std::string::npos || m.size() > 600) fail("a message not fit to show: " + m);
    return 0;
  }
  try {
    if (loadAndSave(saved, &second) != saved) fail("saved again, the preset reads differently:\n" + saved);
  } catch (RenderError const& e) {
    fail(std::string("the saved preset is refused: ") + e.what() + "\n" + saved);
  }
  if (first != second) fail("the saved preset holds other values:\n" + saved);
  return 0;
}
