#include "brelo_frei0r/FilterInstance.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "brelo_frei0r/RgbaFrameIO.h"
#include "brelo_host/Session.h"
#include "brelo_image/ImageLimits.h"
#include "brelo_render/ControlScript.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/Preset.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TimeBase.h"

namespace Brelo {
namespace Frei0r {

namespace {

// Distinct warnings said per instance, so a failing expression read on
// every frame is told once without the list growing.
constexpr std::size_t kMaxWarnings = 20;

std::size_t utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool validSequence(std::string const& s, std::size_t at, std::size_t n) {
  if (at + n > s.size()) return false;
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(s[at + i]) & 0xC0) != 0x80) return false;
  }
  unsigned char const a = static_cast<unsigned char>(s[at]), b = n > 1 ? static_cast<unsigned char>(s[at + 1]) : 0;
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if (n == 3 && ((a == 0xE0 && b < 0xA0) || (a == 0xED && b >= 0xA0))) return false;
  if (n == 4 && ((a == 0xF0 && b < 0x90) || (a == 0xF4 && b >= 0x90))) return false;
  return true;
}

}  // namespace

std::string printable(std::string const& text, std::size_t limit) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() < limit;) {
    unsigned char const c = static_cast<unsigned char>(text[i]);
    std::size_t const n = utf8Length(c);
    if (n == 0 || !validSequence(text, i, n)) {
      out += '?';
      ++i;
    } else if (n == 1) {
      out += (c < 0x20 || c == 0x7F) ? ' ' : char(c);
      ++i;
    } else {
      out.append(text, i, n);
      i += n;
    }
  }
  if (out.size() >= limit) out += "...";
  return out;
}

FilterInstance::FilterInstance(FilterDescription const& filter, std::shared_ptr<FilterHost> host, int width,
                               int height, HostKind clock, Report report)
    : m_filter(filter),
      m_host(std::move(host)),
      m_width(width),
      m_height(height),
      m_clock(clock),
      m_report(std::move(report)),
      m_doubles(filter.doubles.size()) {
  try {
    std::string const problem = ImageIO::imageSizeProblem(width, height, "the frame");
    if (!problem.empty()) throw std::runtime_error(problem);
    rebuild();
  } catch (Render::RenderError const& e) {
    throw std::runtime_error(e.what());
  }
  for (std::size_t i = 0; i < m_doubles.size(); ++i) {
    DoubleControl const& d = m_filter.doubles[i];
    Render::ControlInfo const& c = m_effect->find(d.control);
    double const v = (m_effect->defaultValue(c).number - d.low) / (d.high - d.low);
    m_doubles[i].value = m_doubles[i].dflt = v;
  }
}

FilterInstance::~FilterInstance() {
  m_effect.reset();
  m_session.reset();
}

void FilterInstance::rebuild() {
  m_effect.reset();
  m_session.reset();
  for (DoubleParam& d : m_doubles) d.applied = false;
  m_session = std::make_unique<Sim::Session>(m_host->host(), m_host->entry(), m_width, m_height);
  m_effect = std::make_unique<Render::EffectControls>(*m_session, m_filter.effect, Render::TimeBase{},
                                                      Render::LayerSize{m_width, m_height});
  if (!m_preset.empty()) Render::loadPreset(*m_effect, m_preset);
  Render::applyControlScript(*m_effect, m_controls);
}

void FilterInstance::apply(std::size_t i) {
  DoubleControl const& d = m_filter.doubles[i];
  DoubleParam& p = m_doubles[i];
  if (!std::isfinite(p.value))
    throw Render::RenderError(Render::ExitCode::Usage, "\"" + d.control + "\" takes a number from 0 to 1");
  double const v = std::min(1.0, std::max(0.0, p.value));
  Render::ControlInfo const& c = m_effect->find(d.control);
  // As the control shows it, so that the same value typed into --set gives
  // the same picture.
  double const scale = std::pow(10.0, c.precision);
  double const shown = std::round((d.low + v * (d.high - d.low)) * scale) / scale;
  m_effect->setValue(c, Render::numberValue(c, shown, std::to_string(shown)), true);
  p.applied = true;
  p.appliedValue = p.value;
}

void FilterInstance::applyDoubles(bool all) {
  for (std::size_t i = 0; i < m_doubles.size(); ++i) {
    DoubleParam const& p = m_doubles[i];
    if (p.value == p.dflt) continue;
    if (all || !p.applied || p.appliedValue != p.value) apply(i);
  }
  m_effect->refreshUI();
}

void FilterInstance::setParam(int index, void const* value) {
  if (!value || index < 0 || index >= numParams()) return;
  if (index >= kFirstDouble) {
    double const v = *static_cast<double const*>(value);
    DoubleParam& p = m_doubles[std::size_t(index - kFirstDouble)];
    if (v == p.value || (std::isnan(v) && std::isnan(p.value))) return;
    p.value = v;
    m_doublesChanged = true;
    return;
  }
  char const* text = *static_cast<char const* const*>(value);
  std::string const s = text ? text : "";
  std::string& target = index == kControls ? m_controls : index == kPreset ? m_preset : m_time;
  if (s == target) return;
  target = s;
  (index == kTime ? m_timeChanged : m_settingsChanged) = true;
}

void FilterInstance::getParam(int index, void* value) const {
  if (!value || index < 0 || index >= numParams()) return;
  if (index >= kFirstDouble) {
    *static_cast<double*>(value) = m_doubles[std::size_t(index - kFirstDouble)].value;
    return;
  }
  std::string const& s = index == kControls ? m_controls : index == kPreset ? m_preset : m_time;
  // frei0r hands out the plug-in's own copy, which the host must not change.
  *static_cast<char**>(value) = const_cast<char*>(s.c_str());
}

void FilterInstance::refuse(std::string const& what, std::string const& why) {
  m_refusal = "refused " + what + ": " + why;
}

void FilterInstance::warn(std::string const& message) {
  if (m_warned.size() >= kMaxWarnings || !m_warned.insert(message).second) return;
  m_report(m_filter.name + ": warning: " + printable(message, 400));
}

void FilterInstance::reportExpressionErrors() {
  Sim::Instance& inst = m_session->instance();
  for (std::string const& e : inst.expressionErrors()) warn(m_filter.effect + " read a failing expression: " + e);
  inst.clearExpressionErrors();
}

void FilterInstance::update(double hostTime, std::uint32_t const* in, std::uint32_t* out) {
  if (m_settingsChanged) {
    m_settingsChanged = false;
    m_doublesChanged = true;
    m_settingsError.clear();
    try {
      rebuild();
    } catch (std::exception const& e) {
      m_settingsError = e.what();
    }
  }
  if (m_doublesChanged && m_settingsError.empty()) {
    m_doublesChanged = false;
    m_doublesError.clear();
    // A double back at its default gives its control back to the preset
    // and controls, which only a fresh instance restores.
    bool restore = m_partlyApplied;
    for (DoubleParam const& p : m_doubles) restore = restore || (p.applied && p.value == p.dflt);
    try {
      if (restore) rebuild();
      applyDoubles(restore);
      m_partlyApplied = false;
    } catch (std::exception const& e) {
      m_doublesError = e.what();
      m_partlyApplied = true;
    }
  }
  if (m_timeChanged) {
    m_timeChanged = false;
    m_timeError.clear();
    m_hasTime = false;
    try {
      if (!m_time.empty()) {
        m_fixedTime = Render::parseTime(m_time, Render::TimeBase{});
        m_hasTime = true;
      }
    } catch (std::exception const& e) {
      m_timeError = e.what();
    }
  }

  m_refusal.clear();
  if (!m_settingsError.empty()) {
    std::string what;
    if (!m_preset.empty()) what = "preset \"" + printable(m_preset) + "\"";
    if (!m_controls.empty() || m_preset.empty())
      what += (what.empty() ? "" : " with ") + std::string("controls \"") + printable(m_controls) + "\"";
    refuse(what, m_settingsError);
  }
  else if (!m_doublesError.empty())
    refuse("a control value", m_doublesError);
  else if (!m_timeError.empty())
    refuse("time \"" + printable(m_time) + "\"", m_timeError);

  Render::TimeBase const tb;
  A_long time = m_fixedTime;
  if (m_refusal.empty() && !m_hasTime) {
    double const seconds = hostSeconds(hostTime, m_clock);
    try {
      time = Render::secondsToTime(seconds, tb, std::to_string(seconds) + "s");
    } catch (std::exception const& e) {
      refuse("the host's time", e.what());
    }
  }

  if (m_refusal.empty()) {
    m_lastSeconds = tb.seconds(time);
    std::string const what = "to render the frame at " + Render::formatSeconds(m_lastSeconds);
    try {
      RgbaFrameIO io(in, out, m_width, m_height);
      Sim::RenderResult r = m_session->render(time, Sim::Depth::Bits8, {}, io);
      reportExpressionErrors();
      m_host->host().forgetRetired(m_session->instance());
      if (r.err == PF_Err_NONE) {
        if (!io.outputWritten()) std::memset(out, 0, std::size_t(m_width) * std::size_t(m_height) * 4);
        m_reported.clear();
        return;
      }
      m_refusal = Render::describeEffectFailure(m_filter.effect, what, r.err, r.return_msg);
    } catch (std::exception const& e) {
      m_refusal = m_filter.effect + " failed " + what + ": " + e.what();
    }
  }
  if (m_refusal != m_reported) {
    m_reported = m_refusal;
    m_report(m_filter.name + ": " + printable(m_refusal, 600) + "; frames pass through unchanged");
  }
  if (in != out) std::memcpy(out, in, std::size_t(m_width) * std::size_t(m_height) * 4);
}

}  // namespace Frei0r
}  // namespace Brelo
