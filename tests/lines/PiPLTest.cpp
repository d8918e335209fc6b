// The resource description as the build writes it, decoded byte by byte, and
// the generator's handling of the shared description.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PiPL.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const char* path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

uint32_t u32(Bytes const& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

struct Decoded {
  std::string vendor, key;
  uint32_t index = 0;
  Bytes value;
};

// Independent reading of the layout: header, then vendor, key, index,
// length, value and zero padding to a multiple of 4.
std::vector<Decoded> decode(Bytes const& b, uint32_t* version) {
  std::vector<Decoded> out;
  EXPECT_GE(b.size(), 8u);
  if (b.size() < 8) return out;
  *version = u32(b, 0);
  const uint32_t count = u32(b, 4);
  size_t at = 8;
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_LE(at + 16, b.size()) << "property " << i;
    if (at + 16 > b.size()) return out;
    Decoded d;
    d.vendor.assign(b.begin() + long(at), b.begin() + long(at + 4));
    d.key.assign(b.begin() + long(at + 4), b.begin() + long(at + 8));
    d.index = u32(b, at + 8);
    const uint32_t length = u32(b, at + 12);
    at += 16;
    const size_t padded = (length + 3u) & ~size_t(3);
    EXPECT_LE(at + padded, b.size()) << d.key;
    if (at + padded > b.size()) return out;
    d.value.assign(b.begin() + long(at), b.begin() + long(at + length));
    for (size_t p = at + length; p < at + padded; ++p) EXPECT_EQ(b[p], 0) << "padding of " << d.key;
    at += padded;
    out.push_back(d);
  }
  EXPECT_EQ(at, b.size()) << "bytes after the last property";
  return out;
}

Bytes text(const char* s) { return Bytes(s, s + std::strlen(s) + 1); }
Bytes le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

struct Expected {
  const char* key;
  Bytes value;
};

std::vector<Expected> expectedFor(const char* name) {
  return {
      {"kind", {'e', 'F', 'K', 'T'}},
      {"name", text(name)},
      {"catg", text("Brelo")},
      {"mx64", text("EntryPointFunc")},
      {"wx64", text("EntryPointFunc")},
      {"eSVR", {2, 0, 13, 0}},
      {"eVER", le32(525825)},
      {"eINF", le32(0)},
      {"eGLO", le32(100663296)},
      {"eGL2", le32(5120)},
      {"eMNA", text(name)},
      {"aeRI", le32(8)},
  };
}

void expectDescription(Bytes const& bytes, const char* name) {
  ASSERT_EQ(bytes.size() % 4, 0u);
  uint32_t version = 0;
  const auto props = decode(bytes, &version);
  EXPECT_EQ(version, 1u);
  const auto expected = expectedFor(name);
  ASSERT_EQ(props.size(), expected.size());
  for (size_t i = 0; i < props.size(); ++i) {
    SCOPED_TRACE(expected[i].key);
    EXPECT_EQ(props[i].vendor, "BRLO");
    EXPECT_EQ(props[i].key, expected[i].key);
    EXPECT_EQ(props[i].index, 0u);
    EXPECT_EQ(props[i].value, expected[i].value);
  }
}

TEST(LinesResource, BinaryDescriptionHoldsEveryPropertyInOrder) {
  expectDescription(readFile(BRELO_LINES_PIPL_BIN), "BreloLines");
}

TEST(LinesResource, ResourceScriptCarriesTheSameBytes) {
  std::istringstream rc(readText(BRELO_LINES_PIPL_RC));
  std::string line;
  // Language 1033: primary 0x09 (English), sub 0x01 (United States).
  int primary = -1, sub = -1, id = -1;
  std::string type, begin;
  while (std::getline(rc, line)) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first == "LANGUAGE") {
      std::string p, q;
      words >> p >> q;
      primary = std::stoi(p, nullptr, 16);
      sub = std::stoi(q, nullptr, 16);
    } else if (!first.empty() && std::isdigit(static_cast<unsigned char>(first[0]))) {
      id = std::stoi(first);
      words >> type;
      std::getline(rc, begin);
      break;
    }
  }
  EXPECT_EQ(primary | sub << 10, 1033);
  EXPECT_EQ(id, 16000);
  EXPECT_EQ(type, "PIPL");
  ASSERT_EQ(begin, "BEGIN");

  // The resource compiler stores each 16-bit word low byte first.
  Bytes words;
  bool ended = false;
  while (std::getline(rc, line)) {
    if (line == "END") {
      ended = true;
      break;
    }
    std::istringstream items(line);
    std::string item;
    while (std::getline(items, item, ',')) {
      std::istringstream token(item);
      std::string hex;
      token >> hex;
      ASSERT_EQ(hex.size(), 6u) << item;
      ASSERT_EQ(hex.substr(0, 2), "0x") << item;
      const unsigned w = unsigned(std::stoul(hex, nullptr, 16));
      words.push_back(uint8_t(w & 0xff));
      words.push_back(uint8_t(w >> 8));
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(words, readFile(BRELO_LINES_PIPL_BIN));
}

TEST(LinesResource, SharedDescriptionServesSimpleLines) {
  std::ifstream desc(BRELO_PIPL_DESCRIPTION);
  ASSERT_TRUE(desc);
  const auto props = Brelo::PiPL::parseDescription(
      desc, {{"name", "BreloSimpleLines"}, {"match-name", "BreloSimpleLines"}});
  expectDescription(Brelo::PiPL::encode(props), "BreloSimpleLines");
}

TEST(LinesResource, MalformedDescriptionsAreRefused) {
  const std::map<std::string, std::string> vars{{"name", "X"}};
  const char* bad[] = {
      "colour red\n",             // unknown property
      "name ${match-name}\n",     // undefined variable
      "name ${name\n",            // unterminated variable
      "kind eFK\n",               // not four characters
      "version -1\n",             // negative
      "version 4294967296\n",     // beyond 32 bits
      "version 12abc\n",          // trailing text
      "spec-version 2\n",         // no minor
      "spec-version 2.40000\n",   // minor beyond 16 bits
      "category\n",               // no value
  };
  for (const char* b : bad) {
    std::istringstream in(b);
    EXPECT_THROW(Brelo::PiPL::parseDescription(in, vars), Brelo::PiPL::DescriptionError) << b;
  }
  // Comments and blank lines are no properties; padding follows odd lengths.
  std::istringstream ok("# comment\n\n  name a${name}\n");
  const auto props = Brelo::PiPL::parseDescription(ok, vars);
  ASSERT_EQ(props.size(), 1u);
  const Bytes bytes = Brelo::PiPL::encode(props);
  EXPECT_EQ(bytes, (Bytes{1, 0, 0, 0, 1, 0, 0, 0, 'B', 'R', 'L', 'O', 'n', 'a', 'm', 'e', 0, 0, 0, 0, 3, 0, 0, 0,
                          'a', 'X', 0, 0}));
}

}  // namespace
