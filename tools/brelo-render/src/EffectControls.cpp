#include "brelo_render/EffectControls.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "brelo_host/Expression.h"
#include "brelo_render/ControlLookup.h"
#include "brelo_render/Keyframes.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

// Bytes of an expression shown in a message.
constexpr std::size_t kExpressionExcerpt = 40;

}  // namespace

EffectControls::EffectControls(Sim::Session& session, std::string effectName, TimeBase tb, LayerSize layer)
    : m_session(session), m_effect(std::move(effectName)), m_tb(tb), m_layer(layer) {
  m_session.instance().setTimeScale(m_tb.scale, m_tb.step);
  check(m_session.globalSetup(), "at global set-up");
  check(m_session.paramsSetup(), "at parameter set-up");
  m_controls = describeControls(m_session.instance());
  m_defaults.resize(m_controls.size());
  for (ControlInfo const& c : m_controls) {
    if (c.settable()) m_defaults[std::size_t(c.index)] = valueAt(c, 0);
  }
  refreshUI();
}

void EffectControls::check(Sim::CommandResult const& r, std::string const& what) const {
  checkExpressions();
  if (r.err == PF_Err_NONE) return;
  throw RenderError(ExitCode::Module, describeEffectFailure(m_effect, what, r.err, r.return_msg));
}

ControlInfo const& EffectControls::find(std::string const& key) const { return findControl(m_controls, key); }

void EffectControls::refreshUI() {
  check(m_session.updateParamsUI(), "while updating its controls");
  refreshShownNames(m_controls, m_session.instance());
}

void EffectControls::notifyChange(ControlInfo const& c, A_long time) {
  if (!c.supervised) return;
  check(m_session.userChangedParam(c.index, time), "when \"" + c.name + "\" was changed");
}

void EffectControls::setValue(ControlInfo const& c, ControlValue const& v, bool notify) {
  Sim::Instance& inst = m_session.instance();
  inst.clearKeyframes(c.index);
  switch (c.kind) {
    case ControlKind::Point: inst.setPoint(c.index, v.x, v.y); break;
    case ControlKind::Color: inst.setColor(c.index, v.color); break;
    default: inst.setValue(c.index, v.number); break;
  }
  if (notify) notifyChange(c, 0);
}

void EffectControls::setKeyframes(ControlInfo const& c, std::vector<Keyframe> const& keys, bool notify) {
  if (c.fixedInTime)
    throw RenderError(ExitCode::Usage, "\"" + c.name + "\" is fixed in time and takes no keyframes");
  std::vector<A_long> times;
  for (Keyframe const& k : keys) times.push_back(k.first);
  checkKeyframeOrder(times, m_tb, c.name);
  Sim::Instance& inst = m_session.instance();
  inst.clearKeyframes(c.index);
  for (Keyframe const& k : keys) {
    switch (c.kind) {
      case ControlKind::Point: inst.setPointKeyframe(c.index, k.first, k.second.x, k.second.y); break;
      case ControlKind::Color: inst.setColorKeyframe(c.index, k.first, k.second.color); break;
      default: inst.setKeyframe(c.index, k.first, k.second.number); break;
    }
  }
  if (notify) {
    for (Keyframe const& k : keys) notifyChange(c, k.first);
  }
}

void EffectControls::assign(std::string const& assignment) {
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos || trim(assignment.substr(0, eq)).empty())
    throw RenderError(ExitCode::Usage, "--set takes NAME=VALUE, not \"" + shownText(assignment) + "\"");
  ControlInfo const& c = find(assignment.substr(0, eq));
  std::string value = assignment.substr(eq + 1);
  if (isKeyframeList(value)) {
    std::vector<Keyframe> keys;
    for (KeyframeText const& k : parseKeyframes(value, m_tb, c.name))
      keys.push_back({k.time, parseControlValue(c, k.value, m_layer)});
    setKeyframes(c, keys, true);
  } else {
    setValue(c, parseControlValue(c, value, m_layer), true);
  }
}

ControlValue EffectControls::valueAt(ControlInfo const& c, A_long time) const {
  PF_ParamDef def = m_session.instance().valueAt(c.index, time, m_tb.step, m_tb.scale, false, {});
  return valueFromDef(c, def);
}

ControlValue EffectControls::ownValueAt(ControlInfo const& c, A_long time) const {
  const std::array<double, 4> held = m_session.instance().heldValue(c.index, time);
  auto channel = [&](std::size_t i) { return A_u_char(std::lround(std::min(255.0, std::max(0.0, held[i])))); };
  ControlValue v;
  switch (c.kind) {
    case ControlKind::Point:
      v.x = held[0];
      v.y = held[1];
      break;
    case ControlKind::Color:
      v.color = PF_Pixel{channel(0), channel(1), channel(2), channel(3)};
      break;
    default:
      v.number = held[0];
      break;
  }
  return v;
}

std::string const& EffectControls::expression(ControlInfo const& c) const {
  return m_session.instance().expression(c.index);
}

void EffectControls::setExpression(ControlInfo const& c, std::string const& text) {
  m_session.instance().setExpression(c.index, text);
}

void EffectControls::checkExpressions() const {
  Sim::Instance const& inst = m_session.instance();
  const int index = inst.stoppedExpression();
  if (!index) return;
  std::string name = "control " + std::to_string(index);
  for (ControlInfo const& c : m_controls) {
    if (c.index == index) name = "\"" + c.name + "\"";
  }
  throw RenderError(ExitCode::Usage, "the expression of " + name + " was stopped, " +
                                         Sim::budgetReason(inst.stoppedFailure()) + ": " +
                                         excerpt(inst.expression(index), kExpressionExcerpt));
}

std::vector<A_long> EffectControls::keyframeTimes(ControlInfo const& c) const {
  std::vector<A_long> out;
  for (double s : m_session.instance().keyframeTimes(c.index)) out.push_back(A_long(std::llround(s * m_tb.scale)));
  return out;
}

}  // namespace Render
}  // namespace Brelo
