// Integer rectangle, left/top inclusive and right/bottom exclusive like the
// host's PF_LRect.
#pragma once

#include <algorithm>

#include "Brelo/BreloMath.h"
#include "Brelo/Vector.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct Rect {
  int left;
  int top;
  int right;
  int bottom;

  Rect() : left(0), top(0), right(0), bottom(0) {}
  Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  // Implicit: host rectangles convert freely.
  Rect(PF_LRect const& r) : left(r.left), top(r.top), right(r.right), bottom(r.bottom) {}
  Rect(Vector<int> const& a, Vector<int> const& b) { setRect(a, b); }
  Rect(Vector<double> const& a, Vector<double> const& b) { setRect(a, b); }

  void setRect(int l, int t, int r, int b) { *this = Rect(l, t, r, b); }
  void setRect(PF_LRect const& r) { setRect(r.left, r.top, r.right, r.bottom); }
  void setRect(Vector<int> const& a, Vector<int> const& b) {
    setRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
  }
  // Ordered in double first, then each corner truncated toward zero.
  void setRect(Vector<double> const& a, Vector<double> const& b) {
    setRect(truncToInt(std::min(a.x, b.x)), truncToInt(std::min(a.y, b.y)), truncToInt(std::max(a.x, b.x)),
            truncToInt(std::max(a.y, b.y)));
  }

  int getWidth() const { return right - left; }
  int getHeight() const { return bottom - top; }
  Vector<int> getLeftTop() const { return Vector<int>(left, top); }
  Vector<int> getRightBottom() const { return Vector<int>(right, bottom); }
  bool isEmpty() const { return left >= right || top >= bottom; }

  bool operator==(Rect const& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(Rect const& o) const { return !(*this == o); }
};

inline PF_LRect aeRect(Rect const& r) { return PF_LRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace Brelo
