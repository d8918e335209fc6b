// The foundation's geometry and colour value types in one include.
#pragma once

#include "Brelo/BPC.h"
#include "Brelo/Border.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/ColorInt.h"
#include "Brelo/ImplHolder.h"
#include "Brelo/PixelConversion.h"
#include "Brelo/Rect.h"
#include "Brelo/Vector.h"
#include "Brelo/Vector3d.h"
#include "Brelo/VectorFixed.h"
