#include "brelo_host/Expression.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include <duktape.h>

#include "brelo_host/Instance.h"

namespace Brelo {
namespace Sim {

namespace {

const char kScopeKey[] = "\xff" "breloScope";

// The globals of the host's expression language, on top of the native
// control reader.
const char kPrelude[] =
    "var thisProperty = { propertyGroup: function () {"
    "  return function (n) { return __breloControl(n); }; } };"
    "function degreesToRadians(d) { return d * Math.PI / 180; }"
    "function radiansToDegrees(r) { return r * 180 / Math.PI; }";

ExpressionScope* scopeOf(duk_context* ctx) {
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kScopeKey);
  auto* scope = static_cast<ExpressionScope*>(duk_get_pointer(ctx, -1));
  duk_pop_2(ctx);
  return scope;
}

// __breloControl(n). duk_error unwinds with longjmp, so nothing with a
// destructor may be alive when it is raised.
duk_ret_t controlReader(duk_context* ctx) {
  const duk_double_t n = duk_require_number(ctx, 0);
  char message[256] = "";
  double value = 0.0;
  bool ok = false;
  if (n == std::floor(n) && n >= 0 && n < 1e6) {
    try {
      std::string why;
      ok = scopeOf(ctx)->controlValue(int(n), &value, &why);
      if (!ok) std::snprintf(message, sizeof message, "control %d: %s", int(n), why.c_str());
    } catch (std::exception const& e) {
      std::snprintf(message, sizeof message, "control %d: %s", int(n), e.what());
    } catch (...) {
      std::snprintf(message, sizeof message, "control %d: unreadable", int(n));
    }
  } else {
    std::snprintf(message, sizeof message, "no control %g", double(n));
  }
  if (!ok) return duk_error(ctx, DUK_ERR_RANGE_ERROR, "%s", message);
  duk_push_number(ctx, value);
  return 1;
}

void fatal(void* /*udata*/, const char* msg) {
  // Only reached when the interpreter itself breaks; there is no way to go on.
  std::fprintf(stderr, "expression engine: %s\n", msg ? msg : "fatal error");
  std::abort();
}

struct HeapDeleter {
  void operator()(duk_context* ctx) const { duk_destroy_heap(ctx); }
};

}  // namespace

ExpressionResult evaluateExpression(std::string const& text, ExpressionScope& scope) {
  ExpressionResult result;
  std::unique_ptr<duk_context, HeapDeleter> heap(duk_create_heap(nullptr, nullptr, nullptr, nullptr, fatal));
  duk_context* ctx = heap.get();
  if (!ctx) {
    result.err = kExpressionError;
    result.message = "expression engine unavailable";
    return result;
  }

  duk_push_global_stash(ctx);
  duk_push_pointer(ctx, &scope);
  duk_put_prop_string(ctx, -2, kScopeKey);
  duk_pop(ctx);

  duk_push_c_function(ctx, controlReader, 1);
  duk_put_global_string(ctx, "__breloControl");
  duk_push_int(ctx, scope.layerWidth());
  duk_put_global_string(ctx, "width");
  duk_push_int(ctx, scope.layerHeight());
  duk_put_global_string(ctx, "height");
  if (duk_peval_string(ctx, kPrelude) != 0) {
    result.err = kExpressionError;
    result.message = std::string("expression prelude: ") + duk_safe_to_string(ctx, -1);
    return result;
  }
  duk_pop(ctx);

  if (duk_peval_lstring(ctx, text.data(), text.size()) != 0) {
    result.err = kExpressionError;
    result.message = std::string("expression failed: ") + duk_safe_to_string(ctx, -1);
    return result;
  }
  if (!duk_is_number(ctx, -1) || !std::isfinite(duk_get_number(ctx, -1))) {
    result.err = kExpressionError;
    result.message = std::string("expression gave no finite number: ") + duk_safe_to_string(ctx, -1);
    return result;
  }
  result.value = duk_get_number(ctx, -1);
  return result;
}

namespace {

// The controls whose expressions are being evaluated on this thread, to
// refuse circular references instead of recursing without end.
thread_local std::vector<std::pair<Instance const*, int>> t_evaluating;

class EvaluationGuard {
 public:
  EvaluationGuard(Instance const& inst, int index) { t_evaluating.emplace_back(&inst, index); }
  ~EvaluationGuard() { t_evaluating.pop_back(); }
  EvaluationGuard(EvaluationGuard const&) = delete;
  EvaluationGuard& operator=(EvaluationGuard const&) = delete;
};

bool beingEvaluated(Instance const& inst, int index) {
  for (auto const& e : t_evaluating) {
    if (e.first == &inst && e.second == index) return true;
  }
  return false;
}

class InstanceScope : public ExpressionScope {
 public:
  InstanceScope(Instance& inst, double seconds) : m_inst(inst), m_seconds(seconds) {}

  bool controlValue(int index, double* value, std::string* why) override {
    if (index < 1 || index >= m_inst.numParams()) {
      *why = "no such control";
      return false;
    }
    if (beingEvaluated(m_inst, index)) {
      *why = "circular reference between expressions";
      return false;
    }
    const A_u_long scale = m_inst.timeScale();
    const auto time = A_long(std::llround(m_seconds * double(scale)));
    PF_ParamDef def;
    if (m_inst.checkedValueAt(index, time, m_inst.timeStep(), scale, false, {}, &def, why)) return false;
    switch (m_inst.definition(index).param_type) {
      case PF_Param_SLIDER:
      case PF_Param_POPUP:
      case PF_Param_CHECKBOX:
        *value = def.u.sd.value;
        return true;
      case PF_Param_FIX_SLIDER:
      case PF_Param_ANGLE:
        *value = def.u.fd.value / 65536.0;
        return true;
      case PF_Param_FLOAT_SLIDER:
        *value = def.u.fs_d.value;
        return true;
      default:
        *why = "not a number";
        return false;
    }
  }
  int layerWidth() const override { return m_inst.layerWidth(); }
  int layerHeight() const override { return m_inst.layerHeight(); }

 private:
  Instance& m_inst;
  double m_seconds;
};

A_long toLong(double v, int index) {
  if (!(std::fabs(v) < 2147483647.0)) {
    throw ExpressionError(kExpressionError, "control " + std::to_string(index) + ": expression value out of range");
  }
  return A_long(std::lround(v));
}

}  // namespace

void evaluateControlExpression(Instance& inst, int index, std::string const& text, double seconds,
                               PF_ParamDef& value) {
  ExpressionResult r;
  {
    EvaluationGuard guard(inst, index);
    InstanceScope scope(inst, seconds);
    r = evaluateExpression(text, scope);
  }
  if (r.err) throw ExpressionError(r.err, "control " + std::to_string(index) + ": " + r.message);
  switch (inst.definition(index).param_type) {
    case PF_Param_FLOAT_SLIDER:
      value.u.fs_d.value = r.value;
      break;
    case PF_Param_FIX_SLIDER:
    case PF_Param_ANGLE:
      value.u.fd.value = toLong(r.value * 65536.0, index);
      break;
    case PF_Param_SLIDER:
    case PF_Param_POPUP:
    case PF_Param_CHECKBOX:
      value.u.sd.value = toLong(r.value, index);
      break;
    default:
      throw ExpressionError(kExpressionError,
                            "control " + std::to_string(index) + ": expressions on this kind of control are not supported");
  }
}

}  // namespace Sim
}  // namespace Brelo
