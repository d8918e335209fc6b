// The plug-in resource description (PiPL) that the host reads before it
// loads an effect, built from one text description for both platforms.
//
// Byte layout (all integers little-endian, as on both target platforms):
//
//   header    int32 format version (kFormatVersion), int32 property count
//   property  4-character vendor code (kVendor), 4-character key,
//             int32 index (0), int32 length of the value in bytes,
//             the value, then zero bytes up to a multiple of 4
//
// Four-character codes are stored in reading order, first character first.
// The length excludes the padding. Keys and value encodings:
//
//   kind            "kind"  4 characters ("eFKT": an effect)
//   name            "name"  text
//   category        "catg"  text
//   entry-mac-x64   "mx64"  text: entry point of the macOS x86-64 build
//   entry-win-x64   "wx64"  text: entry point of the Windows x64 build
//   spec-version    "eSVR"  int16 major, int16 minor ("2.13")
//   version         "eVER"  uint32
//   info-flags      "eINF"  uint32
//   out-flags       "eGLO"  uint32
//   out-flags-2     "eGL2"  uint32
//   match-name      "eMNA"  text
//   reserved-info   "aeRI"  uint32
//
// Text is stored with its terminating zero byte, which the length counts.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace Brelo {
namespace PiPL {

constexpr int32_t kFormatVersion = 1;
constexpr char kVendor[] = "BRLO";

// Windows resource of the description.
constexpr int kResourceId = 16000;
constexpr int kResourceLanguage = 1033;  // English (United States)
constexpr char kResourceType[] = "PIPL";

struct Property {
  std::string name;  // as in the description, e.g. "match-name"
  char key[4];
  std::vector<uint8_t> value;  // unpadded
};

struct DescriptionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads "name value" lines (blank lines and lines starting with '#' are
// skipped); ${var} in a value is replaced by vars["var"]. Properties keep the
// order of the description. Throws DescriptionError on an unknown property,
// a malformed value or an undefined variable.
std::vector<Property> parseDescription(std::istream& in, std::map<std::string, std::string> const& vars);

// The property list as bytes (layout above).
std::vector<uint8_t> encode(std::vector<Property> const& properties);

// A Windows resource script holding `bytes` as the PIPL resource. The data
// is written as 16-bit words, which the resource compiler stores low byte
// first; `bytes` has an even length since it is a multiple of 4.
std::string resourceScript(std::vector<uint8_t> const& bytes, std::string const& comment);

}  // namespace PiPL
}  // namespace Brelo
