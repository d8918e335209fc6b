#include "brelo_host/Expression.h"

#include <chrono>
#include <cmath>
#include <cstddef>
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

using Clock = std::chrono::steady_clock;

// The interpreter asks for the budget once per this many instructions
// (its interrupt interval, DUK_HTHREAD_INTCTR_DEFAULT).
constexpr std::uint64_t kStepsPerCheck = 256 * 1024;
// The clock is read once per this many allocations.
constexpr unsigned kAllocationsPerClockCheck = 256;

// What an evaluation, and every evaluation it starts, has spent. It is the
// user data of their interpreters' heaps.
struct Account {
  explicit Account(ExpressionBudget const& b) : budget(b), deadline(Clock::now() + toDuration(b.seconds)) {}

  static Clock::duration toDuration(double seconds) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }
  bool over() const { return failure != ExpressionFailure::None; }
  void checkClock() {
    if (!over() && Clock::now() > deadline) failure = ExpressionFailure::Time;
  }

  ExpressionBudget budget;
  Clock::time_point deadline;
  std::uint64_t steps = 0;
  std::size_t heap = 0;
  unsigned allocations = 0;
  ExpressionFailure failure = ExpressionFailure::None;  // the budget that ran out first
};

// The account of the evaluation running on this thread, for the ones it starts.
thread_local Account* t_account = nullptr;

class AccountScope {
 public:
  explicit AccountScope(Account* a) : m_previous(t_account) { t_account = a; }
  ~AccountScope() { t_account = m_previous; }
  AccountScope(AccountScope const&) = delete;
  AccountScope& operator=(AccountScope const&) = delete;

 private:
  Account* m_previous;
};

// Each block carries its size in front, so the heap in use is known exactly.
struct alignas(std::max_align_t) BlockHeader {
  std::size_t size;
};

void* budgetRealloc(void* udata, void* ptr, duk_size_t size);

void* budgetAlloc(void* udata, duk_size_t size) { return budgetRealloc(udata, nullptr, size); }

void budgetFree(void* udata, void* ptr) {
  if (!ptr) return;
  auto* a = static_cast<Account*>(udata);
  BlockHeader* block = static_cast<BlockHeader*>(ptr) - 1;
  a->heap -= block->size;
  std::free(block);
}

void* budgetRealloc(void* udata, void* ptr, duk_size_t size) {
  auto* a = static_cast<Account*>(udata);
  if (size == 0) {
    budgetFree(udata, ptr);
    return nullptr;
  }
  if (++a->allocations % kAllocationsPerClockCheck == 0) a->checkClock();
  BlockHeader* old = ptr ? static_cast<BlockHeader*>(ptr) - 1 : nullptr;
  const std::size_t oldSize = old ? old->size : 0;
  // Once a budget has run out nothing more is given: built-in functions
  // that run without executing bytecode stop at their next allocation.
  if (a->over()) return nullptr;
  const std::size_t limit = a->budget.heapBytes;
  if (size > limit || a->heap - oldSize > limit - size) {
    a->failure = ExpressionFailure::Memory;
    return nullptr;
  }
  auto* block = static_cast<BlockHeader*>(std::realloc(old, sizeof(BlockHeader) + size));
  if (!block) return nullptr;
  a->heap = a->heap - oldSize + size;
  block->size = size;
  return block + 1;
}

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
  ExpressionScope* scope = scopeOf(ctx);
  char message[256] = "";
  double value = 0.0;
  bool ok = false;
  if (n == std::floor(n) && n >= 0 && n < 1e6) {
    try {
      std::string why;
      ok = scope->controlValue(int(n), &value, &why);
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

// The globals an expression sees; run protected, as any of it may fail to
// allocate. Takes the scope as a pointer on the stack.
duk_ret_t installGlobals(duk_context* ctx, void* /*udata*/) {
  void* scope = duk_require_pointer(ctx, -1);
  duk_push_global_stash(ctx);
  duk_push_pointer(ctx, scope);
  duk_put_prop_string(ctx, -2, kScopeKey);
  duk_pop_2(ctx);

  auto* s = static_cast<ExpressionScope*>(scope);
  duk_push_c_function(ctx, controlReader, 1);
  duk_put_global_string(ctx, "__breloControl");
  duk_push_int(ctx, s->layerWidth());
  duk_put_global_string(ctx, "width");
  duk_push_int(ctx, s->layerHeight());
  duk_put_global_string(ctx, "height");
  duk_eval_string_noresult(ctx, kPrelude);
  return 0;
}

ExpressionResult failed(ExpressionFailure f, std::string message) {
  ExpressionResult r;
  r.err = kExpressionError;
  r.failure = f;
  r.message = std::move(message);
  return r;
}

ExpressionResult run(std::string const& text, ExpressionScope& scope, Account& account) {
  std::unique_ptr<duk_context, HeapDeleter> heap(
      duk_create_heap(budgetAlloc, budgetRealloc, budgetFree, &account, fatal));
  duk_context* ctx = heap.get();
  if (!ctx) return failed(ExpressionFailure::Error, "expression engine unavailable");

  duk_push_pointer(ctx, &scope);
  if (duk_safe_call(ctx, installGlobals, nullptr, 1, 1) != DUK_EXEC_SUCCESS)
    return failed(ExpressionFailure::Error, std::string("expression prelude: ") + duk_safe_to_string(ctx, -1));
  duk_pop(ctx);

  const bool threw = duk_peval_lstring(ctx, text.data(), text.size()) != 0;
  // The caller reports a budget that ran out; the interpreter has no more to give.
  if (account.over()) return failed(account.failure, std::string());
  if (threw)
    return failed(ExpressionFailure::Error, std::string("expression failed: ") + duk_safe_to_string(ctx, -1));
  if (!duk_is_number(ctx, -1) || !std::isfinite(duk_get_number(ctx, -1)))
    return failed(ExpressionFailure::Error,
                  std::string("expression gave no finite number: ") + duk_safe_to_string(ctx, -1));
  ExpressionResult r;
  r.value = duk_get_number(ctx, -1);
  return r;
}

}  // namespace

std::string budgetReason(ExpressionFailure f, ExpressionBudget const& budget) {
  char text[96];
  switch (f) {
    case ExpressionFailure::Steps:
      std::snprintf(text, sizeof text, "over its budget of %llu steps", static_cast<unsigned long long>(budget.steps));
      return text;
    case ExpressionFailure::Memory:
      std::snprintf(text, sizeof text, "over its budget of %g MiB of memory", double(budget.heapBytes) / 1048576.0);
      return text;
    case ExpressionFailure::Time:
      std::snprintf(text, sizeof text, "over its budget of %g s", budget.seconds);
      return text;
    default:
      return std::string();
  }
}

ExpressionResult evaluateExpression(std::string const& text, ExpressionScope& scope, ExpressionBudget const& budget) {
  std::unique_ptr<Account> own;
  Account* account = t_account;
  if (!account) {
    own = std::make_unique<Account>(budget);
    account = own.get();
  }
  AccountScope current(account);
  ExpressionResult r = run(text, scope, *account);
  // Whatever the script made of it (a caught error, a number), a budget
  // that ran out fails the evaluation.
  if (account->over())
    return failed(account->failure, "expression stopped: " + budgetReason(account->failure, account->budget));
  return r;
}

extern "C" int brelo_expression_spent(void* udata) { return static_cast<Account*>(udata)->over() ? 1 : 0; }

extern "C" int brelo_expression_over_budget(void* udata) {
  auto* a = static_cast<Account*>(udata);
  if (!a->over()) {
    // Bytecode is held to its step count alone, so that a script runs, or
    // is stopped, alike on every machine and build; the clock is for
    // built-ins that run long without stepping.
    a->steps += kStepsPerCheck;
    if (a->steps > a->budget.steps) a->failure = ExpressionFailure::Steps;
  }
  return a->over() ? 1 : 0;
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
  if (r.err) throw ExpressionError(r.err, "control " + std::to_string(index) + ": " + r.message, r.failure);
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
