// What the tests read of a Windows PE32+ module (a DLL such as an .aex): the
// machine, the exported names, the imported DLLs and functions, and the
// resources. Every offset in the file is checked before it is read, so a
// damaged or hostile file is refused, never read past.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace BreloTest {

struct PeResource {
  std::string type;       // a named type as its name ("PIPL"), a numbered one as "#<number>"
  std::string name;       // likewise
  std::uint32_t language;  // e.g. 1033, English (United States)
  std::vector<std::uint8_t> data;
};

struct PeImage {
  std::uint16_t machine = 0;          // 0x8664: x64
  std::uint16_t characteristics = 0;  // 0x2000: a DLL
  std::vector<std::string> exports;   // exported names, in the table's order
  // Imported DLL name -> functions taken from it by name ("#<n>" by ordinal).
  std::map<std::string, std::vector<std::string>> imports;
  std::vector<PeResource> resources;

  // False, with the reason in *why, when `bytes` is not a well-formed
  // PE32+ image.
  static bool parse(std::vector<std::uint8_t> const& bytes, PeImage* out, std::string* why);
};

}  // namespace BreloTest
