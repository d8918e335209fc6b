#include "Brelo/BreloRandom.h"

#include "Brelo/BreloMath.h"

namespace Brelo {

namespace {

constexpr std::uint32_t kDefaultSeed = 1029u;
constexpr double kScaleD = 4.656612873077392578125e-10;  // 2^-31, exact
constexpr float kScaleF = 4.656612873077392578125e-10f;  // 2^-31, exact in float too

}  // namespace

Random::Random() : m_state(kDefaultSeed) {}

Random::Random(int seed) : m_state(static_cast<std::uint32_t>(seed)) {}

void Random::srand(int seed) { m_state = static_cast<std::uint32_t>(seed); }

std::uint32_t Random::_next() {
  m_state = m_state * 1103515245u + 12345u;
  return m_state & 0x7FFFFFFFu;
}

int Random::rand() { return static_cast<int>(_next()); }

int Random::rand(int n) {
  // n + 1 in double: same value as in int, but INT_MAX cannot overflow.
  double const width = static_cast<double>(n) + 1.0;
  return truncToInt(static_cast<double>(_next()) * kScaleD * width);
}

int Random::rand(int a, int b) {
  // The width in 64 bits: in 32 it overflows for ranges wider than INT_MAX
  // (e.g. INT_MIN ... 0) and the result would leave the range.
  std::int64_t const width = std::int64_t{b} - std::int64_t{a} + 1;
  double const scaled = static_cast<double>(_next()) * kScaleD * static_cast<double>(width);
  int const v = truncToInt(static_cast<double>(a) + scaled);
  // Near the top of a range far from zero, a + fraction rounds up to b + 1.
  return (width > 0 && v > b) ? b : v;
}

float Random::randF() { return static_cast<float>(_next()) * kScaleF; }

float Random::randF(float x) { return static_cast<float>(_next()) * x * kScaleF; }

float Random::randF(float a, float b) { return static_cast<float>(_next()) * (b - a) * kScaleF + a; }

double Random::randD() { return static_cast<double>(_next()) * kScaleD; }

double Random::randD(double x) { return static_cast<double>(_next()) * x * kScaleD; }

double Random::randD(double a, double b) { return static_cast<double>(_next()) * (b - a) * kScaleD + a; }

}  // namespace Brelo
