// brelo_lines: the frei0r filter of BreloLines.
#include "brelo_frei0r/FilterDescription.h"

namespace Brelo {
namespace Frei0r {
FilterDescription const& thisFilter() { return linesFilter(); }
}  // namespace Frei0r
}  // namespace Brelo
