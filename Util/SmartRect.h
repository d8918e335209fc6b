// Rectangle helpers of the smart-render commands.
#pragma once

#include "Util/BreloHostAPI.h"

// True when the rectangle holds no pixel (left not below right, or top not below bottom).
bool IsEmptyRect(const PF_LRect* r);

// Grows *dst to the smallest rectangle holding both. An empty *dst becomes
// *src; an empty *src leaves a non-empty *dst as it is.
void UnionLRect(const PF_LRect* src, PF_LRect* dst);
