// brelo_simplelines: the frei0r filter of BreloSimpleLines.
#include "brelo_frei0r/FilterDescription.h"

namespace Brelo {
namespace Frei0r {
FilterDescription const& thisFilter() { return simpleLinesFilter(); }
}  // namespace Frei0r
}  // namespace Brelo
