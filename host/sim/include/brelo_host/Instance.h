// One effect applied to one layer: its registered controls with their
// values and keyframes, the layer's pixels, the global data the plug-in keeps
// and what the plug-in asked of the host's user interface.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "brelo_host/Expression.h"
#include "brelo_host/Image.h"

namespace Brelo {
namespace Sim {

class Host;
struct Frame;

struct ParamUIUpdate {
  int index;
  std::string name;
  PF_ParamUIFlags ui_flags;
};

// The downsample of one render, x and y.
struct Downsample {
  PF_RationalScale x{1, 1};
  PF_RationalScale y{1, 1};
  Downsample() = default;
  Downsample(A_long num, A_u_long den) : x{num, den}, y{num, den} {}
  Downsample(PF_RationalScale dx, PF_RationalScale dy) : x(dx), y(dy) {}
};

class Instance {
 public:
  // Called whenever a control that carries an expression is read; it may
  // replace the value in `value` (seconds: the time read).
  using ExpressionHook =
      std::function<void(Instance&, int index, std::string const& expression, double seconds, PF_ParamDef& value)>;

  Instance(Host& host, int layerWidth, int layerHeight);
  Instance(Instance const&) = delete;
  Instance& operator=(Instance const&) = delete;

  Host& host() { return m_host; }
  PF_ProgPtr ref() { return reinterpret_cast<PF_ProgPtr>(this); }
  static Instance* fromRef(PF_ProgPtr ref) { return reinterpret_cast<Instance*>(ref); }

  // ---- the layer
  int layerWidth() const { return m_layer.width(); }
  int layerHeight() const { return m_layer.height(); }
  // Any size and depth; converted to the depth of each render.
  void setLayer(Image const& image);
  void setLayer(Image&& image);
  Image const& layer() const { return m_layer; }
  // Lent, the layer's own pixels are the input world of every render at its
  // depth and full size: no copy is made, the world's rows have no padding,
  // and a write into them is caught by a checksum rather than a comparison.
  // Other renders get a padded copy as usual.
  void setLayerLent(bool lent) { m_layerLent = lent; }
  bool layerLent() const { return m_layerLent; }
  // Origin of the input world handed out at smart render.
  void setInputOrigin(int x, int y) { m_originX = x, m_originY = y; }
  int inputOriginX() const { return m_originX; }
  int inputOriginY() const { return m_originY; }
  // The layer parameter set to no layer: checkouts give a world without pixels.
  void setLayerEmpty(bool empty) { m_layerEmpty = empty; }
  bool layerEmpty() const { return m_layerEmpty; }
  // Size of the layer at a downsample (rounded up), and its pixels there
  // (nearest full-resolution pixel: x' * den / num).
  static int scaledSize(int size, PF_RationalScale s);
  Image layerAt(Downsample ds, Depth depth) const;
  // Row y of layerAt(ds, depth), written to `out` without making the image.
  void layerRow(Downsample ds, Depth depth, int y, std::uint8_t* out) const;

  // ---- time: current_time and time_step are in units of 1 / timeScale s.
  void setTimeScale(A_u_long scale, A_long step) { m_timeScale = scale, m_timeStep = step; }
  A_u_long timeScale() const { return m_timeScale; }
  A_long timeStep() const { return m_timeStep; }

  // ---- controls. Index 0 is the layer, provided by the host.
  int numParams() const { return int(m_params.size()); }
  // The definition as registered, with the names and ui_flags of later
  // PF_UpdateParamUI calls.
  PF_ParamDef const& definition(int index) const;
  // Registers a copy of `def` (strings copied too); the same checks as add_param.
  PF_Err addParam(PF_ParamDef const& def);

  // Current value in the control's own units: integers for sliders, popups
  // and checkboxes, real numbers for fixed and float sliders, degrees for
  // angles. Throws std::invalid_argument for another kind or a bad index.
  void setValue(int index, double value);
  void setPoint(int index, double x, double y);  // layer pixels
  void setColor(int index, PF_Pixel colour);
  // Keyframes at `time` (units of the time scale); numeric kinds interpolate
  // linearly between keys, popups and checkboxes hold the last key.
  void setKeyframe(int index, A_long time, double value);
  void setPointKeyframe(int index, A_long time, double x, double y);
  void setColorKeyframe(int index, A_long time, PF_Pixel colour);
  void clearKeyframes(int index);
  // Times of the control's keyframes in seconds, in order; read the values
  // there with valueAt. Empty when the control does not vary in time.
  std::vector<double> keyframeTimes(int index) const;
  // What the control holds at `time` (units of the time scale), before the
  // host rounds it into the control's representation and without its
  // expression: at a key, or without keys, exactly what was set. In the
  // setters' units: numbers first, points x then y in pixels, colours alpha,
  // red, green, blue as 0..255.
  std::array<double, 4> heldValue(int index, A_long time) const;
  // Takes over the value held in def.u, as the host does when a plug-in
  // flags a control changed (a keyframe at `time` when the control has keys).
  void setFromDef(int index, PF_ParamDefUnion const& u, A_long time = 0);

  // The control as the host hands it out at a time (the layer excluded):
  // definition with the value at that time, expression applied, and point
  // values scaled by `ds` when `render` is set.
  PF_ParamDef valueAt(int index, A_long time, A_long step, A_u_long scale, bool render, Downsample ds);
  // As valueAt, reporting a failing expression: its error code is returned,
  // its message goes to *message, and the value is the control's own.
  PF_Err checkedValueAt(int index, A_long time, A_long step, A_u_long scale, bool render, Downsample ds,
                        PF_ParamDef* out, std::string* message = nullptr);

  // ---- expressions
  void setExpression(int index, std::string text);
  std::string const& expression(int index) const;
  void setExpressionHook(ExpressionHook hook) { m_exprHook = std::move(hook); }
  // Every failure of an expression, in order ("control N: why"). The default
  // hook evaluates expressions as JavaScript (brelo_host/Expression.h) and
  // signals failures with ExpressionError.
  std::vector<std::string> const& expressionErrors() const { return m_exprErrors; }
  // An expression that goes over its budget is disabled, as a host disables
  // a failing expression: reads of its control fail at once, with the same
  // error, until an expression is set again. The control of the first one
  // disabled (0: none) and the budget that ran out.
  int stoppedExpression() const;
  ExpressionFailure stoppedFailure() const;
  void clearExpressionErrors() { m_exprErrors.clear(); }

  // ---- user interface
  void recordUIUpdate(int index, PF_ParamDef const& def);
  std::vector<ParamUIUpdate> const& uiUpdates() const { return m_uiUpdates; }
  void clearUIUpdates() { m_uiUpdates.clear(); }

  // ---- global data, as the plug-in left it
  PF_Handle globalData() const { return m_globalData; }
  void setGlobalData(PF_Handle h) { m_globalData = h; }

  // The command running on this instance (-1 between commands); set by the
  // driver, used by the host to refuse calls out of place.
  PF_Cmd command() const { return m_command; }
  void setCommand(PF_Cmd cmd) { m_command = cmd; }
  // The records of the command in progress, null between commands.
  Frame* frame() const { return m_frame; }
  void setFrame(Frame* f) { m_frame = f; }

 private:
  using Channels = std::array<double, 4>;
  struct Param {
    PF_ParamDef def{};
    std::string popupNames;
    std::string checkboxLabel;
    Channels value{};
    std::map<double, Channels> keys;  // seconds
    std::string expression;
    std::string stopped;  // the error of the expression, once disabled
    ExpressionFailure stoppedBy = ExpressionFailure::None;
  };

  Param& param(int index, const char* what);
  Param const& param(int index, const char* what) const;
  static bool numeric(PF_ParamType t);
  Channels channelsAt(Param const& p, double seconds) const;
  void writeChannels(Param const& p, Channels const& c, PF_ParamDef& out) const;
  Channels readChannels(PF_ParamType t, PF_ParamDefUnion const& u) const;
  void setKey(int index, A_long time, Channels const& c);

  Host& m_host;
  Image m_layer;
  int m_originX = 0, m_originY = 0;
  bool m_layerEmpty = false;
  bool m_layerLent = false;
  A_u_long m_timeScale = 30;
  A_long m_timeStep = 1;
  std::deque<Param> m_params;  // stable addresses: definitions point into their own strings
  std::vector<ParamUIUpdate> m_uiUpdates;
  ExpressionHook m_exprHook;
  std::vector<std::string> m_exprErrors;
  std::vector<int> m_stopped;  // controls whose expression is disabled, in order
  PF_Handle m_globalData = nullptr;
  PF_Cmd m_command = -1;
  Frame* m_frame = nullptr;
};

}  // namespace Sim
}  // namespace Brelo
