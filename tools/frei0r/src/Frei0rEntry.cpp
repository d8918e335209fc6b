// The frei0r 1.2 entry points of a Brelo filter. Every call is answered
// without letting an exception reach the host: a filter that cannot start
// says why on stderr and gives the host no instance.
#include <unistd.h>

#include <exception>
#include <new>
#include <string>

#include "brelo_frei0r/FilterDescription.h"
#include "brelo_frei0r/FilterHost.h"
#include "brelo_frei0r/FilterInstance.h"
#include "brelo_frei0r/HostClock.h"

// The entry points are the module's only exports; everything else is hidden.
#pragma GCC visibility push(default)
extern "C" {
#include <frei0r.h>
}
#pragma GCC visibility pop

namespace Brelo {
namespace Frei0r {
// The filter of this module, defined next to this file's entry points.
FilterDescription const& thisFilter();
}  // namespace Frei0r
}  // namespace Brelo

namespace {

using namespace Brelo::Frei0r;

// One write per line, so that lines of instances on other threads do not mix.
void reportLine(std::string const& line) {
  std::string const text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t const n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += std::size_t(n);
  }
}

FilterInstance* instanceOf(f0r_instance_t instance) { return static_cast<FilterInstance*>(instance); }

}  // namespace

extern "C" {

int f0r_init(void) { return 1; }

void f0r_deinit(void) {}

void f0r_get_plugin_info(f0r_plugin_info_t* info) {
  if (!info) return;
  FilterDescription const& f = thisFilter();
  info->name = f.name.c_str();
  info->author = "Brelo";
  info->plugin_type = F0R_PLUGIN_TYPE_FILTER;
  info->color_model = F0R_COLOR_MODEL_RGBA8888;
  info->frei0r_version = FREI0R_MAJOR_VERSION;
  info->major_version = 1;
  info->minor_version = 0;
  info->num_params = kFirstDouble + int(f.doubles.size());
  info->explanation = f.explanation.c_str();
}

void f0r_get_param_info(f0r_param_info_t* info, int param_index) {
  if (!info) return;
  FilterDescription const& f = thisFilter();
  if (param_index >= 0 && param_index < kFirstDouble) {
    info->name = textParamName(param_index);
    info->type = F0R_PARAM_STRING;
    info->explanation = textParamExplanation(param_index);
  } else if (param_index >= kFirstDouble && param_index < kFirstDouble + int(f.doubles.size())) {
    DoubleControl const& d = f.doubles[std::size_t(param_index - kFirstDouble)];
    info->name = d.control.c_str();
    info->type = F0R_PARAM_DOUBLE;
    info->explanation = d.explanation.c_str();
  }
}

f0r_instance_t f0r_construct(unsigned int width, unsigned int height) {
  FilterDescription const& f = thisFilter();
  try {
    std::string const module = findEffectModule(f.effect, directoryOf(reinterpret_cast<void const*>(&f0r_construct)));
    return new FilterInstance(f, FilterHost::acquire(module), int(width), int(height), runningHost(), reportLine);
  } catch (std::bad_alloc const&) {
    reportLine(f.name + ": out of memory");
  } catch (std::exception const& e) {
    reportLine(f.name + ": cannot start: " + printable(e.what(), 600));
  } catch (...) {
    reportLine(f.name + ": cannot start");
  }
  return nullptr;
}

void f0r_destruct(f0r_instance_t instance) {
  try {
    delete instanceOf(instance);
  } catch (...) {
  }
}

void f0r_set_param_value(f0r_instance_t instance, f0r_param_t param, int param_index) {
  if (!instance) return;
  try {
    instanceOf(instance)->setParam(param_index, param);
  } catch (...) {
    reportLine(thisFilter().name + ": out of memory while setting a parameter");
  }
}

void f0r_get_param_value(f0r_instance_t instance, f0r_param_t param, int param_index) {
  if (!instance) return;
  instanceOf(instance)->getParam(param_index, param);
}

void f0r_update(f0r_instance_t instance, double time, const uint32_t* inframe, uint32_t* outframe) {
  if (!instance || !inframe || !outframe) return;
  try {
    instanceOf(instance)->update(time, inframe, outframe);
  } catch (std::exception const& e) {
    reportLine(thisFilter().name + ": " + printable(e.what(), 600));
  } catch (...) {
    reportLine(thisFilter().name + ": frame not rendered");
  }
}

void f0r_update2(f0r_instance_t instance, double time, const uint32_t* inframe1, const uint32_t* /*inframe2*/,
                 const uint32_t* /*inframe3*/, uint32_t* outframe) {
  f0r_update(instance, time, inframe1, outframe);
}

}  // extern "C"
