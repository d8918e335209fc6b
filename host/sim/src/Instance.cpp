#include "brelo_host/Instance.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "HostImpl.h"
#include "brelo_host/Expression.h"

namespace Brelo {
namespace Sim {

namespace {

A_long toLong(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return A_long(std::llround(v));
}

A_u_char toByte(double v) {
  A_long l = toLong(v);
  return A_u_char(l < 0 ? 0 : l > 255 ? 255 : l);
}

bool knownKind(PF_ParamType t) {
  switch (t) {
    case PF_Param_LAYER:
    case PF_Param_SLIDER:
    case PF_Param_FIX_SLIDER:
    case PF_Param_ANGLE:
    case PF_Param_CHECKBOX:
    case PF_Param_COLOR:
    case PF_Param_POINT:
    case PF_Param_POPUP:
    case PF_Param_NO_DATA:
    case PF_Param_FLOAT_SLIDER:
    case PF_Param_GROUP_START:
    case PF_Param_GROUP_END:
    case PF_Param_BUTTON:
      return true;
    default:
      return false;
  }
}

}  // namespace

Instance::Instance(Host& host, int layerWidth, int layerHeight)
    : m_host(host), m_layer(layerWidth, layerHeight, Depth::Bits8), m_exprHook(evaluateControlExpression) {
  Param layer;
  layer.def.param_type = PF_Param_LAYER;
  m_params.push_back(layer);
}

void Instance::setLayer(Image const& image) { m_layer = image; }

void Instance::setLayer(Image&& image) { m_layer = std::move(image); }

int Instance::scaledSize(int size, PF_RationalScale s) {
  if (s.num <= 0 || s.den == 0) return size;
  return int((std::int64_t(size) * s.num + std::int64_t(s.den) - 1) / std::int64_t(s.den));
}

void Instance::layerRow(Downsample ds, Depth depth, int y, std::uint8_t* out) const {
  // The nearest full-resolution pixel: x' * den / num.
  const int w = scaledSize(m_layer.width(), ds.x), h = scaledSize(m_layer.height(), ds.y);
  std::int64_t sy = h == m_layer.height() ? y : std::int64_t(y) * ds.y.den / ds.y.num;
  if (sy >= m_layer.height()) sy = m_layer.height() - 1;
  const std::size_t from = pixelSize(m_layer.depth()), to = pixelSize(depth);
  const std::uint8_t* row = m_layer.bytes() + std::size_t(sy) * m_layer.rowBytes();
  const bool sameWidth = w == m_layer.width();
  if (sameWidth && depth == m_layer.depth()) {
    std::memcpy(out, row, m_layer.rowBytes());
    return;
  }
  for (int x = 0; x < w; ++x) {
    std::int64_t sx = sameWidth ? x : std::int64_t(x) * ds.x.den / ds.x.num;
    if (sx >= m_layer.width()) sx = m_layer.width() - 1;
    const std::uint8_t* px = row + std::size_t(sx) * from;
    if (depth == m_layer.depth())
      std::memcpy(out + std::size_t(x) * to, px, to);
    else
      writePixel(out + std::size_t(x) * to, depth, readPixel(px, m_layer.depth()));
  }
}

Image Instance::layerAt(Downsample ds, Depth depth) const {
  Image out(scaledSize(m_layer.width(), ds.x), scaledSize(m_layer.height(), ds.y), depth);
  for (int y = 0; y < out.height(); ++y) layerRow(ds, depth, y, out.bytes() + std::size_t(y) * out.rowBytes());
  return out;
}

Instance::Param& Instance::param(int index, const char* what) {
  if (index < 0 || index >= numParams())
    throw std::invalid_argument(std::string(what) + ": no control " + std::to_string(index));
  return m_params[std::size_t(index)];
}

Instance::Param const& Instance::param(int index, const char* what) const {
  if (index < 0 || index >= numParams())
    throw std::invalid_argument(std::string(what) + ": no control " + std::to_string(index));
  return m_params[std::size_t(index)];
}

PF_ParamDef const& Instance::definition(int index) const { return param(index, "definition").def; }

bool Instance::numeric(PF_ParamType t) {
  return t == PF_Param_SLIDER || t == PF_Param_FIX_SLIDER || t == PF_Param_FLOAT_SLIDER || t == PF_Param_ANGLE ||
         t == PF_Param_POINT || t == PF_Param_COLOR;
}

Instance::Channels Instance::readChannels(PF_ParamType t, PF_ParamDefUnion const& u) const {
  switch (t) {
    case PF_Param_SLIDER: return {double(u.sd.value), 0, 0, 0};
    case PF_Param_FIX_SLIDER: return {double(u.fd.value), 0, 0, 0};
    case PF_Param_FLOAT_SLIDER: return {u.fs_d.value, 0, 0, 0};
    case PF_Param_ANGLE: return {double(u.ad.value), 0, 0, 0};
    case PF_Param_POINT: return {double(u.td.x_value), double(u.td.y_value), 0, 0};
    case PF_Param_COLOR:
      return {double(u.cd.value.alpha), double(u.cd.value.red), double(u.cd.value.green), double(u.cd.value.blue)};
    case PF_Param_POPUP: return {double(u.pd.value), 0, 0, 0};
    case PF_Param_CHECKBOX: return {double(u.bd.value), 0, 0, 0};
    default: return {0, 0, 0, 0};
  }
}

void Instance::writeChannels(Param const& p, Channels const& c, PF_ParamDef& out) const {
  out = p.def;
  switch (p.def.param_type) {
    case PF_Param_SLIDER: out.u.sd.value = toLong(c[0]); break;
    case PF_Param_FIX_SLIDER: out.u.fd.value = toLong(c[0]); break;
    case PF_Param_FLOAT_SLIDER: out.u.fs_d.value = c[0]; break;
    case PF_Param_ANGLE: out.u.ad.value = toLong(c[0]); break;
    case PF_Param_POINT:
      out.u.td.x_value = toLong(c[0]);
      out.u.td.y_value = toLong(c[1]);
      break;
    case PF_Param_COLOR: out.u.cd.value = {toByte(c[0]), toByte(c[1]), toByte(c[2]), toByte(c[3])}; break;
    case PF_Param_POPUP: out.u.pd.value = toLong(c[0]); break;
    case PF_Param_CHECKBOX: out.u.bd.value = toLong(c[0]); break;
    default: break;
  }
}

Instance::Channels Instance::channelsAt(Param const& p, double seconds) const {
  if (p.keys.empty()) return p.value;
  auto next = p.keys.upper_bound(seconds);
  if (next == p.keys.begin()) return next->second;
  auto prev = std::prev(next);
  if (next == p.keys.end() || !numeric(p.def.param_type)) return prev->second;
  double f = (seconds - prev->first) / (next->first - prev->first);
  Channels c;
  for (std::size_t i = 0; i < 4; ++i) c[i] = prev->second[i] + (next->second[i] - prev->second[i]) * f;
  return c;
}

PF_Err Instance::addParam(PF_ParamDef const& def) {
  if (!knownKind(def.param_type)) return PF_Err_UNRECOGNIZED_PARAM_TYPE;
  Param p;
  p.def = def;
  p.def.name[sizeof p.def.name - 1] = '\0';
  if (def.param_type == PF_Param_POPUP) {
    if (!def.u.pd.namesptr) return PF_Err_BAD_CALLBACK_PARAM;
    p.popupNames = def.u.pd.namesptr;
    int entries = 1;
    for (char ch : p.popupNames) entries += ch == '|';
    // A popup may offer fewer entries than its string holds, never more.
    const int offered = def.u.pd.num_choices;
    if (offered < 1 || offered > entries || def.u.pd.dephault < 1 || def.u.pd.dephault > offered ||
        def.u.pd.value < 1 || def.u.pd.value > offered)
      return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (def.param_type == PF_Param_CHECKBOX && def.u.bd.nameptr) p.checkboxLabel = def.u.bd.nameptr;
  p.value = readChannels(def.param_type, def.u);
  if (def.param_type == PF_Param_POINT) {
    // Point defaults come in percent of the layer; the value is in pixels.
    p.value[0] = std::llround(double(def.u.td.x_dephault) * m_layer.width() / 100.0);
    p.value[1] = std::llround(double(def.u.td.y_dephault) * m_layer.height() / 100.0);
  }
  m_params.push_back(std::move(p));
  Param& stored = m_params.back();
  if (stored.def.param_type == PF_Param_POPUP) stored.def.u.pd.namesptr = stored.popupNames.c_str();
  if (stored.def.param_type == PF_Param_CHECKBOX && def.u.bd.nameptr)
    stored.def.u.bd.nameptr = stored.checkboxLabel.c_str();
  writeChannels(stored, stored.value, stored.def);
  return PF_Err_NONE;
}

void Instance::setValue(int index, double v) {
  Param& p = param(index, "setValue");
  switch (p.def.param_type) {
    case PF_Param_SLIDER:
    case PF_Param_FLOAT_SLIDER:
    case PF_Param_POPUP:
    case PF_Param_CHECKBOX:
      p.value = {v, 0, 0, 0};
      break;
    case PF_Param_FIX_SLIDER:
    case PF_Param_ANGLE:
      p.value = {v * 65536.0, 0, 0, 0};
      break;
    default:
      throw std::invalid_argument("setValue: control " + std::to_string(index) + " takes no single number");
  }
}

void Instance::setPoint(int index, double x, double y) {
  Param& p = param(index, "setPoint");
  if (p.def.param_type != PF_Param_POINT) throw std::invalid_argument("setPoint: not a point control");
  p.value = {x * 65536.0, y * 65536.0, 0, 0};
}

void Instance::setColor(int index, PF_Pixel c) {
  Param& p = param(index, "setColor");
  if (p.def.param_type != PF_Param_COLOR) throw std::invalid_argument("setColor: not a colour control");
  p.value = {double(c.alpha), double(c.red), double(c.green), double(c.blue)};
}

void Instance::setKey(int index, A_long time, Channels const& c) {
  Param& p = param(index, "setKeyframe");
  if (p.def.flags & PF_ParamFlag_CANNOT_TIME_VARY)
    throw std::invalid_argument("setKeyframe: control " + std::to_string(index) + " cannot vary in time");
  p.keys[double(time) / double(m_timeScale)] = c;
}

void Instance::setKeyframe(int index, A_long time, double v) {
  Param& p = param(index, "setKeyframe");
  Channels keep = p.value;
  setValue(index, v);  // converts to the control's units
  Channels c = p.value;
  p.value = keep;
  setKey(index, time, c);
}

void Instance::setPointKeyframe(int index, A_long time, double x, double y) {
  Param& p = param(index, "setPointKeyframe");
  if (p.def.param_type != PF_Param_POINT) throw std::invalid_argument("setPointKeyframe: not a point control");
  setKey(index, time, {x * 65536.0, y * 65536.0, 0, 0});
}

void Instance::setColorKeyframe(int index, A_long time, PF_Pixel c) {
  Param& p = param(index, "setColorKeyframe");
  if (p.def.param_type != PF_Param_COLOR) throw std::invalid_argument("setColorKeyframe: not a colour control");
  setKey(index, time, {double(c.alpha), double(c.red), double(c.green), double(c.blue)});
}

void Instance::clearKeyframes(int index) { param(index, "clearKeyframes").keys.clear(); }

std::vector<double> Instance::keyframeTimes(int index) const {
  std::vector<double> out;
  for (auto const& k : param(index, "keyframeTimes").keys) out.push_back(k.first);
  return out;
}

std::array<double, 4> Instance::heldValue(int index, A_long time) const {
  Param const& p = param(index, "heldValue");
  Channels c = channelsAt(p, double(time) / double(m_timeScale));
  switch (p.def.param_type) {
    case PF_Param_FIX_SLIDER:
    case PF_Param_ANGLE:
    case PF_Param_POINT:
      for (double& v : c) v /= 65536.0;  // a power of two: exact
      break;
    default:
      break;
  }
  return c;
}

void Instance::setFromDef(int index, PF_ParamDefUnion const& u, A_long time) {
  Param& p = param(index, "setFromDef");
  Channels c = readChannels(p.def.param_type, u);
  if (p.keys.empty())
    p.value = c;
  else
    p.keys[double(time) / double(m_timeScale)] = c;
}

PF_ParamDef Instance::valueAt(int index, A_long time, A_long step, A_u_long scale, bool render, Downsample ds) {
  PF_ParamDef out;
  checkedValueAt(index, time, step, scale, render, ds, &out);
  return out;
}

PF_Err Instance::checkedValueAt(int index, A_long time, A_long, A_u_long scale, bool render, Downsample ds,
                                PF_ParamDef* result, std::string* message) {
  Param const& p = param(index, "valueAt");
  double seconds = double(time) / double(scale ? scale : m_timeScale);
  PF_ParamDef& out = *result;
  writeChannels(p, channelsAt(p, seconds), out);
  PF_Err err = PF_Err_NONE;
  if (!p.expression.empty() && m_exprHook) {
    PF_ParamDef evaluated = out;
    if (!p.stopped.empty()) {
      err = kExpressionError;
      if (message) *message = p.stopped;
    } else {
      try {
        m_exprHook(*this, index, p.expression, seconds, evaluated);
        out = evaluated;
      } catch (ExpressionError const& e) {
        err = e.code();
        m_exprErrors.push_back(e.what());
        if (message) *message = e.what();
        if (overBudget(e.failure())) {
          Param& disabled = m_params[std::size_t(index)];
          disabled.stopped = e.what();
          disabled.stoppedBy = e.failure();
          m_stopped.push_back(index);
        }
      }
    }
  }
  if (render && p.def.param_type == PF_Param_POINT) {
    // A real host hands point values over in pixels of the downsampled frame.
    if (ds.x.num > 0 && ds.x.den)
      out.u.td.x_value = toLong(double(out.u.td.x_value) * ds.x.num / double(ds.x.den));
    if (ds.y.num > 0 && ds.y.den)
      out.u.td.y_value = toLong(double(out.u.td.y_value) * ds.y.num / double(ds.y.den));
  }
  out.uu.id = index;
  return err;
}

void Instance::setExpression(int index, std::string text) {
  Param& p = param(index, "setExpression");
  p.expression = std::move(text);
  p.stopped.clear();
  p.stoppedBy = ExpressionFailure::None;
  m_stopped.erase(std::remove(m_stopped.begin(), m_stopped.end(), index), m_stopped.end());
}

int Instance::stoppedExpression() const { return m_stopped.empty() ? 0 : m_stopped.front(); }

ExpressionFailure Instance::stoppedFailure() const {
  return m_stopped.empty() ? ExpressionFailure::None : param(m_stopped.front(), "stoppedFailure").stoppedBy;
}

std::string const& Instance::expression(int index) const { return param(index, "expression").expression; }

void Instance::recordUIUpdate(int index, PF_ParamDef const& def) {
  Param& p = param(index, "recordUIUpdate");
  std::memcpy(p.def.name, def.name, sizeof p.def.name);
  p.def.name[sizeof p.def.name - 1] = '\0';
  p.def.ui_flags = def.ui_flags;
  m_uiUpdates.push_back({index, p.def.name, def.ui_flags});
}

}  // namespace Sim
}  // namespace Brelo
