// Seeded pseudo-random generator behind every seed parameter of the effects. Its output for
// a seed is part of their look: recurrence, bit selection and scaling order must never change.
#pragma once

#include <cstdint>

namespace Brelo {

class Random {
 public:
  Random();
  explicit Random(int seed);

  void srand(int seed);

  // 0 ... 2147483647.
  int rand();
  // 0 ... n.
  int rand(int n);
  // a ... b; truncation toward zero makes a negative `a` nearly unreachable.
  int rand(int a, int b);

  // 0 ... 1; exactly 1.0 is possible (single precision rounds r up).
  float randF();
  float randF(float x);
  float randF(float a, float b);

  // 0 <= value < 1.
  double randD();
  double randD(double x);
  double randD(double a, double b);

 private:
  // Advances the state once and returns its low 31 bits.
  std::uint32_t _next();

  // Unsigned so that the recurrence wraps modulo 2^32 without overflow.
  std::uint32_t m_state;
};

}  // namespace Brelo
