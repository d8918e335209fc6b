// The simulated host's expression evaluation, on its own: the language the
// "Optimum Total Width" expression uses, and failures that must come back as
// host errors rather than crashes.
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "brelo_host/Expression.h"

namespace {

using Brelo::Sim::budgetReason;
using Brelo::Sim::evaluateExpression;
using Brelo::Sim::ExpressionBudget;
using Brelo::Sim::ExpressionFailure;
using Brelo::Sim::ExpressionScope;
using Brelo::Sim::kExpressionError;
using Brelo::Sim::overBudget;

class MapScope : public ExpressionScope {
 public:
  MapScope(int w, int h) : m_w(w), m_h(h) {}
  std::map<int, double> values;
  bool throws = false;
  bool controlValue(int index, double* value, std::string* why) override {
    if (throws) throw std::runtime_error("broken reader");
    auto it = values.find(index);
    if (it == values.end()) {
      *why = "no such control";
      return false;
    }
    *value = it->second;
    return true;
  }
  int layerWidth() const override { return m_w; }
  int layerHeight() const override { return m_h; }

 private:
  int m_w, m_h;
};

const char kOptimum[] =
    "var angle = degreesToRadians(thisProperty.propertyGroup()(4));\n"
    "width * Math.abs(Math.sin(angle)) + height * Math.abs(Math.cos(angle));";

TEST(SimExpression, OptimumTotalWidthFollowsDirection) {
  MapScope scope(1920, 1080);
  const struct {
    double degrees, expected;
  } cases[] = {{0, 1080}, {90, 1920}, {180, 1080}, {-90, 1920}, {45, (1920 + 1080) * std::sqrt(0.5)}};
  for (auto const& c : cases) {
    scope.values[4] = c.degrees;
    const auto r = evaluateExpression(kOptimum, scope);
    ASSERT_EQ(r.err, 0) << r.message;
    EXPECT_NEAR(r.value, c.expected, 1e-9) << c.degrees;
  }
  scope.values[4] = 45;
  EXPECT_NEAR(evaluateExpression(kOptimum, scope).value, 2121.3203, 1e-4);
}

TEST(SimExpression, LanguageBasics) {
  MapScope scope(30000, 20000);
  scope.values[1] = 2.5;
  EXPECT_EQ(evaluateExpression("width", scope).value, 30000);
  EXPECT_EQ(evaluateExpression("height", scope).value, 20000);
  EXPECT_NEAR(evaluateExpression("degreesToRadians(180)", scope).value, std::acos(-1.0), 1e-15);
  EXPECT_NEAR(evaluateExpression("radiansToDegrees(Math.PI / 2)", scope).value, 90, 1e-12);
  EXPECT_EQ(evaluateExpression("thisProperty.propertyGroup()(1) * 2", scope).value, 5);
  EXPECT_EQ(evaluateExpression("var a = 1;\nvar b = a + 2;\nb * 10;", scope).value, 30);
}

TEST(SimExpression, FailuresAreHostErrorsWithAMessage) {
  MapScope scope(100, 100);
  const char* broken[] = {
      "var = ;",                                // syntax error
      "undefinedFunction(1)",                   // reference error
      "throw new Error('stop')",                // thrown by the script
      "'text'",                                 // not a number
      "1 / 0",                                  // not finite
      "Math.sqrt(-1)",                          // NaN
      "thisProperty.propertyGroup()(7)",        // no such control
      "thisProperty.propertyGroup()(1.5)",      // no control index
      "thisProperty.propertyGroup()(-1)",       // no control index
      "thisProperty.propertyGroup()('x')",      // not a number
      "",                                       // no value
  };
  for (const char* text : broken) {
    const auto r = evaluateExpression(text, scope);
    EXPECT_EQ(r.err, kExpressionError) << text;
    EXPECT_FALSE(r.message.empty()) << text;
  }
  scope.values[7] = 1;
  scope.throws = true;
  const auto r = evaluateExpression("thisProperty.propertyGroup()(7)", scope);
  EXPECT_EQ(r.err, kExpressionError);
  EXPECT_NE(r.message.find("broken reader"), std::string::npos) << r.message;
}

// Scripts that never end or grow without bound, from project files anyone
// may share: each is stopped by the budget that fits it.
TEST(SimExpression, RunawayScriptsAreStoppedByTheirBudget) {
  MapScope scope(100, 100);
  const struct {
    const char* text;
    ExpressionFailure failure;
  } cases[] = {
      {"while(true){}", ExpressionFailure::Steps},
      {"for(;;){}", ExpressionFailure::Steps},
      {"eval('for(;;){}')", ExpressionFailure::Steps},
      {"var i = 0; while (i < 2147483648) i++; i", ExpressionFailure::Steps},
      // Catching the budget's error changes nothing.
      {"try { while (true) {} } catch (e) {} 5", ExpressionFailure::Steps},
      {"function f() { try { while (1) {} } catch (e) { return f(); } } f()", ExpressionFailure::Steps},
      {"function f() { return f(); } f()", ExpressionFailure::Steps},
      {"var t = new Duktape.Thread(function () { for (;;) {} }); Duktape.Thread.resume(t); 1",
       ExpressionFailure::Steps},
      // A finalizer runs when the interpreter is taken down, still on the budget.
      {"var o = {}; Duktape.fin(o, function () { for (;;) {} }); o = null; 4", ExpressionFailure::Steps},
      {"var s = 'x'; for (;;) s += s", ExpressionFailure::Memory},
      {"'x'.repeat(1e9)", ExpressionFailure::Memory},
      {"new Uint8Array(1e9)", ExpressionFailure::Memory},
      {"var a = []; try { for (;;) a.push(new Uint8Array(1 << 20)) } catch (e) {} a.length",
       ExpressionFailure::Memory},
      // Built-in functions that loop without running bytecode.
      {"new Array(4294967295).join('')", ExpressionFailure::Time},
      {"Array.prototype.reverse.call({length: 4294967295}); 1", ExpressionFailure::Time},
  };
  // A slow build must not let the clock stop first what the other budgets
  // are meant to stop.
  ExpressionBudget patient;
  patient.seconds = 120;
  for (auto const& c : cases) {
    const auto r = evaluateExpression(c.text, scope, c.failure == ExpressionFailure::Time ? ExpressionBudget() : patient);
    EXPECT_EQ(r.err, kExpressionError) << c.text;
    EXPECT_EQ(r.failure, c.failure) << c.text << ": " << r.message;
    EXPECT_EQ(r.message, "expression stopped: " + budgetReason(c.failure)) << c.text;
  }
  // Grows both ways; whichever runs out first stops it.
  const auto r = evaluateExpression("var a = []; for (;;) a.push({x: [1, 2, 3]})", scope);
  EXPECT_TRUE(overBudget(r.failure)) << r.message;
  // A regular expression that backtracks without end runs no bytecode and
  // allocates nothing: the matcher's own step limit ends it.
  const auto re = evaluateExpression("/(a+)+b/.test('aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaac')", scope, patient);
  EXPECT_EQ(re.failure, ExpressionFailure::Error);
  EXPECT_EQ(re.message, "expression failed: RangeError: regexp step limit");

  EXPECT_EQ(budgetReason(ExpressionFailure::Steps), "over its budget of 4194304 steps");
  EXPECT_EQ(budgetReason(ExpressionFailure::Memory), "over its budget of 32 MiB of memory");
  EXPECT_EQ(budgetReason(ExpressionFailure::Time), "over its budget of 0.5 s");
  EXPECT_EQ(budgetReason(ExpressionFailure::Error), "");
}

TEST(SimExpression, WorkWithinTheBudgetIsDone) {
  MapScope scope(100, 100);
  const char* const sum = "var t = 0; for (var i = 0; i < 100000; i++) t += i; t";
  const auto r = evaluateExpression(sum, scope);
  ASSERT_EQ(r.err, 0) << r.message;
  EXPECT_EQ(r.value, 4999950000.0);
  EXPECT_EQ(r.failure, ExpressionFailure::None);
  ExpressionBudget small;
  small.steps = 256 * 1024;
  EXPECT_EQ(evaluateExpression(sum, scope, small).failure, ExpressionFailure::Steps);

  const char* const text = "'x'.repeat(2000000).length";
  EXPECT_EQ(evaluateExpression(text, scope).value, 2000000.0);
  ExpressionBudget tight;
  tight.heapBytes = 1 << 20;
  EXPECT_EQ(evaluateExpression(text, scope, tight).failure, ExpressionFailure::Memory);
  // Too little to start an interpreter.
  tight.heapBytes = 1024;
  const auto none = evaluateExpression("1", scope, tight);
  EXPECT_EQ(none.err, kExpressionError);
  EXPECT_EQ(none.failure, ExpressionFailure::Memory);
}

// Reads control 1 through an expression of its own, as the host does.
class NestedScope : public MapScope {
 public:
  NestedScope() : MapScope(10, 10) {}
  std::string inner;
  Brelo::Sim::ExpressionResult last;
  bool controlValue(int index, double* value, std::string* why) override {
    if (index != 1) return MapScope::controlValue(index, value, why);
    last = evaluateExpression(inner, *this);
    *value = last.value;
    if (last.err) *why = last.message;
    return last.err == 0;
  }
};

TEST(SimExpression, ExpressionsReadByAnExpressionShareItsBudget) {
  NestedScope scope;
  // About a fifth of the budget each time.
  scope.inner = "var k = 0; for (var j = 0; j < 100000; j++) k++; k";
  const auto once = evaluateExpression("thisProperty.propertyGroup()(1)", scope);
  ASSERT_EQ(once.err, 0) << once.message;
  EXPECT_EQ(once.value, 100000.0);
  const auto many = evaluateExpression(
      "var t = 0; for (var n = 0; n < 20; n++) t += thisProperty.propertyGroup()(1); t", scope);
  EXPECT_EQ(many.failure, ExpressionFailure::Steps) << many.message;
  EXPECT_EQ(scope.last.failure, ExpressionFailure::Steps) << scope.last.message;
  // A reader that fails for want of budget fails the reading one the same
  // way, whatever the reading one makes of the error.
  scope.inner = "for (;;) {}";
  const auto caught = evaluateExpression("try { thisProperty.propertyGroup()(1) } catch (e) {} 7", scope);
  EXPECT_EQ(caught.failure, ExpressionFailure::Steps) << caught.message;
  // And the next evaluation starts afresh.
  scope.inner = "2";
  EXPECT_EQ(evaluateExpression("thisProperty.propertyGroup()(1) * 3", scope).value, 6.0);
}

}  // namespace
