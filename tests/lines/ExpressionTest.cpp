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

using Brelo::Sim::evaluateExpression;
using Brelo::Sim::ExpressionScope;
using Brelo::Sim::kExpressionError;

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

}  // namespace
