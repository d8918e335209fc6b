// Expressions on control streams: JavaScript text, set through
// AEGP_SetExpression, evaluated whenever the control is read and standing
// in for the control's own value.
//
// What an expression sees:
//   thisProperty.propertyGroup()(n)  value of control n of the same effect at
//                                    the time of the read (angles in degrees)
//   width, height                    the layer's size in pixels
//   degreesToRadians(d), radiansToDegrees(r), Math
// Its value is the value of its last statement, which must be a finite number.
#pragma once

#include <stdexcept>
#include <string>

#include "AE_Effect.h"

namespace Brelo {
namespace Sim {

class Instance;

// The error a control read returns when its expression fails.
constexpr PF_Err kExpressionError = PF_Err_INTERNAL_STRUCT_DAMAGED;

// The effect and layer an expression is evaluated for.
class ExpressionScope {
 public:
  virtual ~ExpressionScope() = default;
  // The value of control `index` in the units the user sees; false, with the
  // reason in *why, when there is none (no such control, not a number, a
  // failing or circular expression).
  virtual bool controlValue(int index, double* value, std::string* why) = 0;
  virtual int layerWidth() const = 0;
  virtual int layerHeight() const = 0;
};

struct ExpressionResult {
  PF_Err err = PF_Err_NONE;  // kExpressionError on failure
  double value = 0.0;
  std::string message;  // why it failed, for the host's error display
};

// Evaluates `text` in a fresh interpreter. Never throws; a script error, a
// failing control read or a result that is no finite number is returned as
// kExpressionError with a message.
ExpressionResult evaluateExpression(std::string const& text, ExpressionScope& scope);

// A control's expression failed; what() says why.
class ExpressionError : public std::runtime_error {
 public:
  ExpressionError(PF_Err code, std::string const& message) : std::runtime_error(message), m_code(code) {}
  PF_Err code() const { return m_code; }

 private:
  PF_Err m_code;
};

// The host's evaluation of the expression on control `index` at `seconds`,
// writing the result into `value` in the control's representation; the
// default expression hook of every Instance. Other controls are read at the
// same time, through their own expressions; a circular reference, a failing
// read or a result the control cannot hold throws ExpressionError.
void evaluateControlExpression(Instance& inst, int index, std::string const& text, double seconds,
                               PF_ParamDef& value);

}  // namespace Sim
}  // namespace Brelo
