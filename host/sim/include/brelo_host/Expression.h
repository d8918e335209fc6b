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
//
// Every evaluation has a budget: project files are shared, and an expression
// that loops or allocates without end must not hang or exhaust the machine.
// One budget covers an evaluation and the expressions of the controls it reads.
#pragma once

#include <cstddef>
#include <cstdint>
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

struct ExpressionBudget {
  // Bytecode instructions, counted in runs of 256 Ki: a loop is stopped at
  // the same place on every machine, after 0.01 to 0.1 s of looping.
  std::uint64_t steps = std::uint64_t(1) << 22;
  // Bytes the interpreters of the evaluation may hold at once.
  std::size_t heapBytes = std::size_t(32) << 20;
  // Wall-clock seconds: stops built-in functions that run long without
  // executing bytecode (they allocate as they go, where this is checked).
  double seconds = 0.5;
};

enum class ExpressionFailure {
  None,
  Error,   // the script failed or gave no finite number
  Steps,   // over the budget's steps
  Memory,  // over the budget's heap
  Time,    // over the budget's seconds
};

struct ExpressionResult {
  PF_Err err = PF_Err_NONE;  // kExpressionError on failure
  double value = 0.0;
  std::string message;  // why it failed, for the host's error display
  ExpressionFailure failure = ExpressionFailure::None;
};

// True for the failures that are a budget running out.
inline bool overBudget(ExpressionFailure f) {
  return f == ExpressionFailure::Steps || f == ExpressionFailure::Memory || f == ExpressionFailure::Time;
}

// "over its budget of 16777216 steps", "... of 64 MiB of memory", "... of
// 0.5 s"; empty for a failure that is no budget's.
std::string budgetReason(ExpressionFailure f, ExpressionBudget const& budget = ExpressionBudget());

// Evaluates `text` in a fresh interpreter. Never throws; a script error, a
// failing control read, a result that is no finite number or a budget run
// out is returned as kExpressionError with a message. Called while another
// evaluation on the same thread reads a control, it draws on that one's
// budget and `budget` is not used.
ExpressionResult evaluateExpression(std::string const& text, ExpressionScope& scope,
                                    ExpressionBudget const& budget = ExpressionBudget());

// A control's expression failed; what() says why.
class ExpressionError : public std::runtime_error {
 public:
  ExpressionError(PF_Err code, std::string const& message, ExpressionFailure failure = ExpressionFailure::Error)
      : std::runtime_error(message), m_code(code), m_failure(failure) {}
  PF_Err code() const { return m_code; }
  ExpressionFailure failure() const { return m_failure; }

 private:
  PF_Err m_code;
  ExpressionFailure m_failure;
};

// The host's evaluation of the expression on control `index` at `seconds`,
// writing the result into `value` in the control's representation; the
// default expression hook of every Instance. Other controls are read at the
// same time, through their own expressions; a circular reference, a failing
// read, a result the control cannot hold or a budget run out throws
// ExpressionError.
void evaluateControlExpression(Instance& inst, int index, std::string const& text, double seconds,
                               PF_ParamDef& value);

}  // namespace Sim
}  // namespace Brelo
