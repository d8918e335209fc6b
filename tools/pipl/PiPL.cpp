#include "PiPL.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace Brelo {
namespace PiPL {

namespace {

enum class Encoding { FourChars, Text, Version, U32 };

struct Known {
  const char* name;
  const char* key;
  Encoding encoding;
};

const Known kKnown[] = {
    {"kind", "kind", Encoding::FourChars},      {"name", "name", Encoding::Text},
    {"category", "catg", Encoding::Text},       {"entry-mac-x64", "mx64", Encoding::Text},
    {"entry-win-x64", "wx64", Encoding::Text},  {"spec-version", "eSVR", Encoding::Version},
    {"version", "eVER", Encoding::U32},         {"info-flags", "eINF", Encoding::U32},
    {"out-flags", "eGLO", Encoding::U32},       {"out-flags-2", "eGL2", Encoding::U32},
    {"match-name", "eMNA", Encoding::Text},     {"reserved-info", "aeRI", Encoding::U32},
};

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v & 0xff));
  out.push_back(uint8_t((v >> 8) & 0xff));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

uint32_t parseU32(std::string const& name, std::string const& text) {
  if (text.empty() || text[0] == '-') throw DescriptionError(name + ": not an unsigned number: " + text);
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(text.c_str(), &end, 0);
  if (errno || *end || v > 0xffffffffull) throw DescriptionError(name + ": not a 32-bit number: " + text);
  return uint32_t(v);
}

uint32_t parseShort(std::string const& name, std::string const& text) {
  const uint32_t v = parseU32(name, text);
  if (v > 0x7fff) throw DescriptionError(name + ": part out of range: " + text);
  return v;
}

std::string substitute(std::string const& value, std::map<std::string, std::string> const& vars) {
  std::string out;
  size_t pos = 0;
  while (pos < value.size()) {
    const size_t open = value.find("${", pos);
    if (open == std::string::npos) break;
    const size_t close = value.find('}', open);
    if (close == std::string::npos) throw DescriptionError("unterminated ${ in: " + value);
    const std::string var = value.substr(open + 2, close - open - 2);
    auto it = vars.find(var);
    if (it == vars.end()) throw DescriptionError("undefined variable: " + var);
    out += value.substr(pos, open - pos);
    out += it->second;
    pos = close + 1;
  }
  return out + value.substr(pos);
}

std::vector<uint8_t> encodeValue(Known const& k, std::string const& text) {
  std::vector<uint8_t> v;
  switch (k.encoding) {
    case Encoding::FourChars:
      if (text.size() != 4) throw DescriptionError(std::string(k.name) + ": needs 4 characters: " + text);
      v.assign(text.begin(), text.end());
      break;
    case Encoding::Text:
      if (text.empty()) throw DescriptionError(std::string(k.name) + ": empty");
      v.assign(text.begin(), text.end());
      v.push_back(0);
      break;
    case Encoding::Version: {
      const size_t dot = text.find('.');
      if (dot == std::string::npos) throw DescriptionError(std::string(k.name) + ": needs major.minor: " + text);
      put16(v, parseShort(k.name, text.substr(0, dot)));
      put16(v, parseShort(k.name, text.substr(dot + 1)));
      break;
    }
    case Encoding::U32:
      put32(v, parseU32(k.name, text));
      break;
  }
  return v;
}

std::string trim(std::string const& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

std::vector<Property> parseDescription(std::istream& in, std::map<std::string, std::string> const& vars) {
  std::vector<Property> props;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    const size_t sep = line.find_first_of(" \t");
    if (sep == std::string::npos) {
      throw DescriptionError("line " + std::to_string(number) + ": property without value: " + line);
    }
    const std::string name = line.substr(0, sep);
    const std::string value = substitute(trim(line.substr(sep)), vars);
    const Known* known = nullptr;
    for (Known const& k : kKnown) {
      if (name == k.name) known = &k;
    }
    if (!known) throw DescriptionError("line " + std::to_string(number) + ": unknown property: " + name);
    Property p;
    p.name = name;
    std::memcpy(p.key, known->key, 4);
    p.value = encodeValue(*known, value);
    props.push_back(std::move(p));
  }
  return props;
}

std::vector<uint8_t> encode(std::vector<Property> const& properties) {
  std::vector<uint8_t> out;
  put32(out, uint32_t(kFormatVersion));
  put32(out, uint32_t(properties.size()));
  for (Property const& p : properties) {
    out.insert(out.end(), kVendor, kVendor + 4);
    out.insert(out.end(), p.key, p.key + 4);
    put32(out, 0);
    put32(out, uint32_t(p.value.size()));
    out.insert(out.end(), p.value.begin(), p.value.end());
    while (out.size() % 4) out.push_back(0);
  }
  return out;
}

std::string resourceScript(std::vector<uint8_t> const& bytes, std::string const& comment) {
  std::ostringstream rc;
  rc << "// " << comment << "\n"
     << "// Generated; edit the description it was made from instead.\n\n"
     << "LANGUAGE 0x" << std::hex << (kResourceLanguage & 0x3ff) << ", 0x" << (kResourceLanguage >> 10) << std::dec
     << "\n"
     << kResourceId << " " << kResourceType << "\nBEGIN\n";
  char word[16];
  for (size_t i = 0; i < bytes.size(); i += 2) {
    const unsigned lo = bytes[i];
    const unsigned hi = i + 1 < bytes.size() ? bytes[i + 1] : 0u;
    std::snprintf(word, sizeof word, "0x%04x", hi << 8 | lo);
    rc << (i % 16 == 0 ? "  " : " ") << word << (i + 2 < bytes.size() ? "," : "");
    if (i % 16 == 14 || i + 2 >= bytes.size()) rc << "\n";
  }
  rc << "END\n";
  return rc.str();
}

}  // namespace PiPL
}  // namespace Brelo
