// Compound arithmetic done alike on every component of a small value type. V names its
// components in `static constexpr auto components()`, a tuple of pointers to members of
// type T; each operator steps through them in that order, as the written-out code would.
#pragma once

#include <tuple>

namespace Brelo {

template <class V, class T>
struct Components {
  V& operator+=(V const& o) { return zip(o, [](T& a, T const& b) { a += b; }); }
  V& operator-=(V const& o) { return zip(o, [](T& a, T const& b) { a -= b; }); }
  V& operator*=(V const& o) { return zip(o, [](T& a, T const& b) { a *= b; }); }
  V& operator/=(V const& o) { return zip(o, [](T& a, T const& b) { a /= b; }); }
  V& operator*=(T const& f) { return each([&f](T& a) { a *= f; }); }
  V& operator/=(T const& f) { return each([&f](T& a) { a /= f; }); }

 protected:
  template <class F>
  V& each(F const& f) {
    V& self = static_cast<V&>(*this);
    std::apply([&](auto... m) { (f(self.*m), ...); }, V::components());
    return self;
  }
  template <class F>
  V& zip(V const& o, F const& f) {
    V& self = static_cast<V&>(*this);
    std::apply([&](auto... m) { (f(self.*m, o.*m), ...); }, V::components());
    return self;
  }
};

}  // namespace Brelo
