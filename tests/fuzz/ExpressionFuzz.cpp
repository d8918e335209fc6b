// Control expressions as a project file may carry them: whatever the text,
// the evaluation ends within its budget with a finite number or a reason,
// also when it reads controls whose own expressions run away.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "brelo_host/Expression.h"

namespace {

using namespace Brelo::Sim;

// Controls 1..6 hold numbers; 7 and 8 are expressions of their own, one
// plain, one that never ends.
class Scope : public ExpressionScope {
 public:
  bool controlValue(int index, double* value, std::string* why) override {
    if (index >= 1 && index <= 6) {
      *value = index * 1.5 - 4;
      return true;
    }
    if (index == 7 || index == 8) {
      const ExpressionResult r =
          evaluateExpression(index == 7 ? "thisProperty.propertyGroup()(2) * width" : "for (;;) {}", *this);
      *value = r.value;
      if (r.err) *why = r.message;
      return r.err == 0;
    }
    *why = "no such control";
    return false;
  }
  int layerWidth() const override { return 320; }
  int layerHeight() const override { return 180; }
};

[[noreturn]] void fail(std::string const& what, std::string const& text) {
  std::fprintf(stderr, "%s\nexpression: %s\n", what.c_str(), text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  BreloFuzz::FuzzInput in(data, size);
  // A smaller budget than the host's, for many inputs a second.
  ExpressionBudget budget;
  budget.steps = std::uint64_t(1) << 20;
  budget.heapBytes = std::size_t(8) << 20;
  budget.seconds = 0.25;
  const std::string text = in.rest();
  Scope scope;
  const ExpressionResult r = evaluateExpression(text, scope, budget);
  if (r.err == 0) {
    if (!std::isfinite(r.value)) fail("a result that is not finite", text);
    if (r.failure != ExpressionFailure::None) fail("a result with a failure", text);
  } else {
    if (r.err != kExpressionError) fail("an error other than the expression error", text);
    if (r.failure == ExpressionFailure::None) fail("an error without its kind", text);
    if (r.message.empty()) fail("an error without a message", text);
    if (overBudget(r.failure) && r.message != "expression stopped: " + budgetReason(r.failure, budget))
      fail("a budget's error with the message " + r.message, text);
  }
  return 0;
}
