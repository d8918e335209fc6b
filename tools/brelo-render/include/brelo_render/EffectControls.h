// The controls of the effect loaded in a simulated host session, set the way
// a user or a saved project sets them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "brelo_host/Session.h"
#include "brelo_render/ControlInfo.h"
#include "brelo_render/ControlValue.h"
#include "brelo_render/TimeBase.h"

namespace Brelo {
namespace Render {

using Keyframe = std::pair<A_long, ControlValue>;

class EffectControls {
 public:
  // Runs global set-up, parameter set-up and the first user-interface
  // update. Throws RenderError (module) with the effect's error.
  EffectControls(Sim::Session& session, std::string effectName, TimeBase tb, LayerSize layer);

  std::string const& effectName() const { return m_effect; }
  TimeBase const& timeBase() const { return m_tb; }
  LayerSize layer() const { return m_layer; }
  std::vector<ControlInfo> const& controls() const { return m_controls; }
  ControlInfo const& find(std::string const& key) const;

  // "NAME=VALUE" or "NAME=VALUE@TIME;VALUE@TIME;..." as a user edits the
  // control: a supervised control tells the effect, which may change others.
  void assign(std::string const& assignment);

  // Without `notify` the value is taken as it stands, as a project is loaded.
  void setValue(ControlInfo const& c, ControlValue const& v, bool notify);
  void setKeyframes(ControlInfo const& c, std::vector<Keyframe> const& keys, bool notify);

  // What the effect reads: an expression's result where the control has one.
  ControlValue valueAt(ControlInfo const& c, A_long time) const;
  // The control's own value, under any expression, exactly as set: not
  // rounded into the control's representation (a fixed slider's 16.16), so
  // that keyframes set again from it interpolate the same.
  ControlValue ownValueAt(ControlInfo const& c, A_long time) const;
  std::string const& expression(ControlInfo const& c) const;
  void setExpression(ControlInfo const& c, std::string const& text);
  // Throws RenderError (usage) once the host has stopped an expression for
  // going over its budget, naming the control, the budget and the start of
  // the expression: reading it again would only fail again.
  void checkExpressions() const;
  ControlValue defaultValue(ControlInfo const& c) const { return m_defaults[std::size_t(c.index)]; }
  std::vector<A_long> keyframeTimes(ControlInfo const& c) const;

  // The user-interface update a host sends after edits; names may change.
  void refreshUI();

 private:
  void notifyChange(ControlInfo const& c, A_long time);
  void check(Sim::CommandResult const& r, std::string const& what) const;

  Sim::Session& m_session;
  std::string m_effect;
  TimeBase m_tb;
  LayerSize m_layer;
  std::vector<ControlInfo> m_controls;
  std::vector<ControlValue> m_defaults;
};

}  // namespace Render
}  // namespace Brelo
