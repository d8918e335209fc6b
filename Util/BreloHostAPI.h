// The one place through which plug-in code reaches the host's declarations. A build against
// the host vendor's own headers changes the brelo_host_api target's include path, not its users.
#pragma once

#include "AE_Effect.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "SPBasic.h"
