// The SimpleLines plug-in file as the host finds it: its resource
// description, decoded independently of the generator, and the one symbol
// it exports.
#include <elf.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t u32(Bytes const& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

Bytes text(const char* s) { return Bytes(s, s + std::strlen(s) + 1); }
Bytes le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

TEST(SimpleLinesResource, DescriptionNamesTheEffectAndCarriesTheSharedProperties) {
  const Bytes b = readFile(BRELO_SIMPLELINES_PIPL_BIN);
  ASSERT_GE(b.size(), 8u);
  ASSERT_EQ(b.size() % 4, 0u);
  EXPECT_EQ(u32(b, 0), 1u);
  struct Property {
    const char* key;
    Bytes value;
  };
  const std::vector<Property> expected = {
      {"kind", {'e', 'F', 'K', 'T'}},       {"name", text("BreloSimpleLines")}, {"catg", text("Brelo")},
      {"mx64", text("EntryPointFunc")},     {"wx64", text("EntryPointFunc")},   {"eSVR", {2, 0, 13, 0}},
      {"eVER", le32(525825)},               {"eINF", le32(0)},                  {"eGLO", le32(100663296)},
      {"eGL2", le32(5120)},                 {"eMNA", text("BreloSimpleLines")}, {"aeRI", le32(8)},
  };
  ASSERT_EQ(u32(b, 4), expected.size());
  size_t at = 8;
  for (Property const& p : expected) {
    SCOPED_TRACE(p.key);
    ASSERT_LE(at + 16, b.size());
    EXPECT_EQ(std::string(b.begin() + long(at), b.begin() + long(at + 4)), "BRLO");
    EXPECT_EQ(std::string(b.begin() + long(at + 4), b.begin() + long(at + 8)), p.key);
    EXPECT_EQ(u32(b, at + 8), 0u);
    const uint32_t length = u32(b, at + 12);
    at += 16;
    const size_t padded = (length + 3u) & ~size_t(3);
    ASSERT_LE(at + padded, b.size());
    EXPECT_EQ(Bytes(b.begin() + long(at), b.begin() + long(at + length)), p.value);
    for (size_t i = at + length; i < at + padded; ++i) EXPECT_EQ(b[i], 0);
    at += padded;
  }
  EXPECT_EQ(at, b.size());
}

// The defined, non-local names of a module's dynamic symbol table.
std::vector<std::string> exportedNames(const char* path) {
  const Bytes file = readFile(path);
  std::vector<std::string> out;
  Elf64_Ehdr eh;
  if (file.size() < sizeof eh) {
    ADD_FAILURE() << path << " is not a module";
    return out;
  }
  std::memcpy(&eh, file.data(), sizeof eh);
  EXPECT_EQ(std::memcmp(eh.e_ident, ELFMAG, SELFMAG), 0);
  auto section = [&](size_t i) {
    Elf64_Shdr sh;
    std::memcpy(&sh, file.data() + eh.e_shoff + i * eh.e_shentsize, sizeof sh);
    return sh;
  };
  for (size_t i = 0; i < eh.e_shnum; ++i) {
    const Elf64_Shdr sh = section(i);
    if (sh.sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr strtab = section(sh.sh_link);
    for (size_t s = 1; s < sh.sh_size / sizeof(Elf64_Sym); ++s) {
      Elf64_Sym sym;
      std::memcpy(&sym, file.data() + sh.sh_offset + s * sizeof sym, sizeof sym);
      if (sym.st_shndx == SHN_UNDEF || ELF64_ST_BIND(sym.st_info) == STB_LOCAL) continue;
      EXPECT_EQ(ELF64_ST_TYPE(sym.st_info), unsigned(STT_FUNC));
      out.emplace_back(reinterpret_cast<const char*>(file.data() + strtab.sh_offset + sym.st_name));
    }
  }
  return out;
}

TEST(SimpleLinesResource, EachModuleExportsEntryPointFuncAlone) {
  for (const char* path : {BRELO_SIMPLELINES_MODULE, BRELO_SIMPLELINES_ST_MODULE}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(exportedNames(path), std::vector<std::string>{"EntryPointFunc"});
  }
}

}  // namespace
