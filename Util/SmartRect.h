// Rectangle helpers of the smart-render commands.
#pragma once

#include "Util/BreloHostAPI.h"

// True when the rectangle holds no pixel (left not below right, or top not below bottom).
inline bool IsEmptyRect(const PF_LRect* r) { return r->left >= r->right || r->top >= r->bottom; }

// Grows *dst to the smallest rectangle holding both. An empty *dst becomes
// *src; an empty *src leaves a non-empty *dst as it is.
inline void UnionLRect(const PF_LRect* src, PF_LRect* dst) {
  if (IsEmptyRect(dst)) {
    *dst = *src;
  } else if (!IsEmptyRect(src)) {
    if (src->left < dst->left) dst->left = src->left;
    if (src->top < dst->top) dst->top = src->top;
    if (src->right > dst->right) dst->right = src->right;
    if (src->bottom > dst->bottom) dst->bottom = src->bottom;
  }
}
