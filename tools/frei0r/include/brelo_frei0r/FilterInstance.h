// One frei0r filter instance: an effect instance of its own in the shared
// host, set from the parameters the host application gives, rendering its
// frames through the same steps as brelo-render (controls, presets,
// keyframes, time base), so one set of controls gives one picture.
//
// Parameters apply at the next update, in this order: a fresh effect
// instance when "controls" or "preset" changed, the preset, the controls,
// then every double that differs from its default. While anything is
// refused (bad text, a value the control cannot take, a time out of range)
// or the effect fails, frames pass through unchanged and the reason is
// reported once. One instance is driven by one thread at a time; different
// instances may run at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "brelo_frei0r/FilterDescription.h"
#include "brelo_frei0r/FilterHost.h"
#include "brelo_frei0r/HostClock.h"

namespace Brelo {
namespace Sim {
class Session;
}
namespace Render {
class EffectControls;
struct ControlInfo;
}  // namespace Render

namespace Frei0r {

class FilterInstance {
 public:
  // Receives each report as one line without its line break.
  using Report = std::function<void(std::string const&)>;

  // Sets up the effect for frames of width x height pixels. Throws
  // std::runtime_error when the effect cannot be set up or the size is not
  // one the host makes.
  FilterInstance(FilterDescription const& filter, std::shared_ptr<FilterHost> host, int width, int height,
                 HostKind clock, Report report);
  ~FilterInstance();
  FilterInstance(FilterInstance const&) = delete;
  FilterInstance& operator=(FilterInstance const&) = delete;

  int numParams() const { return kFirstDouble + int(m_filter.doubles.size()); }
  // frei0r's parameter values: `value` points to a double for doubles and
  // to a char* for texts. Unknown indices and null pointers are ignored.
  void setParam(int index, void const* value);
  void getParam(int index, void* value) const;

  // Renders `in` into `out` (RGBA8888, width x height) at `hostTime`, in the
  // host's units.
  void update(double hostTime, std::uint32_t const* in, std::uint32_t* out);

  // What is refused now; empty while frames render.
  std::string const& refusal() const { return m_refusal; }
  // The effect time of the last update, in seconds.
  double lastSeconds() const { return m_lastSeconds; }

 private:
  struct DoubleParam {
    double value = 0;       // as the host set it
    double dflt = 0;        // the control's default, mapped to 0..1
    bool applied = false;   // in force in the effect instance
    double appliedValue = 0;
  };

  void rebuild();
  void applyDoubles(bool all);
  void apply(std::size_t i);
  void refuse(std::string const& what, std::string const& why);
  void warn(std::string const& message);
  void reportExpressionErrors();

  FilterDescription const& m_filter;
  std::shared_ptr<FilterHost> m_host;
  int m_width, m_height;
  HostKind m_clock;
  Report m_report;

  std::string m_controls, m_preset, m_time;
  std::vector<DoubleParam> m_doubles;
  bool m_settingsChanged = false, m_doublesChanged = false, m_timeChanged = false;
  bool m_partlyApplied = false;  // the doubles failed half way: start afresh

  std::unique_ptr<Sim::Session> m_session;
  std::unique_ptr<Render::EffectControls> m_effect;

  std::string m_settingsError, m_doublesError, m_timeError;
  bool m_hasTime = false;
  A_long m_fixedTime = 0;
  std::string m_refusal, m_reported;
  std::set<std::string> m_warned;
  double m_lastSeconds = 0;
};

// Text as a report can show it: one line, invalid UTF-8 as '?', at most
// `limit` bytes.
std::string printable(std::string const& text, std::size_t limit = 200);

}  // namespace Frei0r
}  // namespace Brelo
