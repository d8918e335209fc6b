#include "Brelo/BreloEasing.h"

#include <cmath>

#include "Brelo/BreloMath.h"

namespace Brelo {

namespace {

// The constants are part of the effects' look; keep them exactly as written.
constexpr double kBackS = 1.70158;
constexpr double kBackS1 = 2.70158;
constexpr double kBackInOutS = 2.5949095;   // 1.70158 * 1.525
constexpr double kBackInOutS1 = 3.5949095;
constexpr double kElasticPeriod = 0.3;
constexpr double kElasticShift = 0.075;     // a quarter period
constexpr double kElasticInOutPeriod = 0.44999999999999996;   // 0.3 * 1.5
constexpr double kElasticInOutShift = 0.11249999999999999;    // 0.3 * 1.5 / 4

double pow2(double x) { return std::pow(2.0, x); }

double bounceOut(double x) {
  constexpr double k = 7.5625;
  if (x < 0.36363636363636365) return k * x * x;
  if (x < 0.7272727272727273) {
    double const v = x - 0.5454545454545454;
    return k * v * v + 0.75;
  }
  if (x < 0.9090909090909091) {
    double const v = x - 0.8181818181818182;
    return k * v * v + 0.9375;
  }
  double const v = x - 0.9545454545454546;
  return k * v * v + 0.984375;
}

using Curve = double (*)(double);

// k * x^N as the left-to-right product k * x * ... * x.
template <int N>
double power(double x, double k = 1.0) {
  double p = k * x;
  for (int i = 1; i < N; ++i) p *= x;
  return p;
}

// Cubic, Quart and Quint. The far side is v^N + c for odd N but -(v^N - c)
// for even N: a tiny t then gives -0.0 as it always has.
template <int N>
struct Power {
  static double far(double v, double c) { return N % 2 == 1 ? power<N>(v) + c : -(power<N>(v) - c); }
  static double in(double t) { return power<N>(t); }
  static double out(double t) { return far(t - 1.0, 1.0); }
  static double inOut(double t) {
    double const u = 2.0 * t;
    return u < 1.0 ? power<N>(u, 0.5) : 0.5 * far(u - 2.0, 2.0);
  }
};

// In, Out and InOut of each curve from Quad on, in the order of EasingType.
constexpr Curve kCurves[][3] = {
    // Quad
    {[](double t) { return t * t; }, [](double t) { return -t * (t - 2.0); },
     [](double t) {
       double const u = 2.0 * t;
       return u < 1.0 ? 0.5 * u * u : -0.5 * ((u - 3.0) * (u - 1.0) - 1.0);
     }},
    {Power<3>::in, Power<3>::out, Power<3>::inOut},
    {Power<4>::in, Power<4>::out, Power<4>::inOut},
    {Power<5>::in, Power<5>::out, Power<5>::inOut},
    // Expo
    {[](double t) { return pow2(10.0 * (t - 1.0)); }, [](double t) { return 1.0 - pow2(-10.0 * t); },
     [](double t) {
       double const d = 2.0 * t - 1.0;
       return d < 0.0 ? 0.5 * pow2(10.0 * d) : 0.5 * (2.0 - pow2(-10.0 * d));
     }},
    // Circ
    {[](double t) { return -(std::sqrt(1.0 - t * t) - 1.0); },
     [](double t) {
       double const v = t - 1.0;
       return std::sqrt(1.0 - v * v);
     },
     [](double t) {
       double const u = 2.0 * t;
       double const v = u - 2.0;
       return u < 1.0 ? -0.5 * (std::sqrt(1.0 - u * u) - 1.0) : 0.5 * (std::sqrt(1.0 - v * v) + 1.0);
     }},
    // Sine
    {[](double t) { return 1.0 - std::cos(t * kPi * 0.5); }, [](double t) { return std::sin(t * kPi * 0.5); },
     [](double t) { return -0.5 * (std::cos(t * kPi) - 1.0); }},
    // Bounce
    {[](double t) { return 1.0 - bounceOut(1.0 - t); }, bounceOut,
     [](double t) { return t < 0.5 ? 0.5 * (1.0 - bounceOut(1.0 - 2.0 * t)) : 0.5 * bounceOut(2.0 * t - 1.0) + 0.5; }},
    // Back
    {[](double t) { return (kBackS1 * t - kBackS) * t * t; },
     [](double t) {
       double const v = t - 1.0;
       return (kBackS1 * v + kBackS) * v * v + 1.0;
     },
     [](double t) {
       double const u = 2.0 * t;
       double const v = u - 2.0;
       return u < 1.0 ? 0.5 * (kBackInOutS1 * u - kBackInOutS) * u * u
                      : 0.5 * ((kBackInOutS1 * v + kBackInOutS) * v * v + 2.0);
     }},
    // Elastic
    {[](double t) {
       double const w = t - 1.0;
       return pow2(10.0 * w) * std::sin((w - kElasticShift) * (-kTwoPi) / kElasticPeriod);
     },
     [](double t) { return pow2(-10.0 * t) * std::sin((t - kElasticShift) * kTwoPi / kElasticPeriod) + 1.0; },
     [](double t) {
       double const u = 2.0 * t;
       double const d = u - 1.0;
       double const a = (d - kElasticInOutShift) * kTwoPi / kElasticInOutPeriod;
       return u < 1.0 ? -0.5 * pow2(10.0 * d) * std::sin(a) : 0.5 * pow2(-10.0 * d) * std::sin(a) + 1.0;
     }},
};

}  // namespace

double Easing::getTime(double t) const {
  // Written as !(t > 0) so a NaN progress ends as 0 instead of reaching the curves.
  if (!(t > 0.0)) return 0.0;
  if (t >= 1.0) return 1.0;
  if (m_type < EasingType::Quad || m_type > EasingType::Elastic) return t;
  if (m_mode < EasingMode::In || m_mode > EasingMode::InOut) return 0.0;
  return kCurves[static_cast<int>(m_type) - static_cast<int>(EasingType::Quad)]
                 [static_cast<int>(m_mode) - static_cast<int>(EasingMode::In)](t);
}

}  // namespace Brelo
