// Small text helpers shared by the option, value and preset readers.
#pragma once

#include <string>
#include <vector>

namespace Brelo {
namespace Render {

std::string trim(std::string const& s);
std::string toLower(std::string s);
bool equalsIgnoreCase(std::string const& a, std::string const& b);
// Levenshtein distance, ignoring case.
std::size_t editDistance(std::string const& a, std::string const& b);
std::vector<std::string> split(std::string const& s, char sep);
// Control characters (the about text's line breaks) as spaces.
std::string oneLine(std::string s);
// The start of `s` on one line for a message: white space runs as one space,
// at most `bytes` bytes (never half a UTF-8 character), "..." when cut.
std::string excerpt(std::string const& s, std::size_t bytes);
// What the user wrote, for a one-line message: as written with control
// characters as spaces, or its excerpt of 80 bytes when longer.
std::string shownText(std::string const& s);

}  // namespace Render
}  // namespace Brelo
