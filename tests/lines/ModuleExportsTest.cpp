// The host finds the effect by one exported function; nothing else of the
// module may be visible, or two plug-ins loaded side by side could bind to
// each other's code.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct DynamicSymbol {
  std::string name;
  unsigned type;
  unsigned binding;
};

// The defined, non-local symbols of the module's dynamic symbol table.
std::vector<DynamicSymbol> definedDynamicSymbols(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<DynamicSymbol> out;
  Elf64_Ehdr eh;
  EXPECT_GE(file.size(), sizeof eh);
  if (file.size() < sizeof eh) return out;
  std::memcpy(&eh, file.data(), sizeof eh);
  EXPECT_EQ(std::memcmp(eh.e_ident, ELFMAG, SELFMAG), 0);
  EXPECT_EQ(eh.e_ident[EI_CLASS], ELFCLASS64);
  auto section = [&](size_t i) {
    Elf64_Shdr sh;
    std::memcpy(&sh, file.data() + eh.e_shoff + i * eh.e_shentsize, sizeof sh);
    return sh;
  };
  bool found = false;
  for (size_t i = 0; i < eh.e_shnum; ++i) {
    const Elf64_Shdr sh = section(i);
    if (sh.sh_type != SHT_DYNSYM) continue;
    found = true;
    const Elf64_Shdr strtab = section(sh.sh_link);
    for (size_t s = 1; s < sh.sh_size / sizeof(Elf64_Sym); ++s) {
      Elf64_Sym sym;
      std::memcpy(&sym, file.data() + sh.sh_offset + s * sizeof sym, sizeof sym);
      if (sym.st_shndx == SHN_UNDEF || ELF64_ST_BIND(sym.st_info) == STB_LOCAL) continue;
      out.push_back({std::string(file.data() + strtab.sh_offset + sym.st_name), ELF64_ST_TYPE(sym.st_info),
                     ELF64_ST_BIND(sym.st_info)});
    }
  }
  EXPECT_TRUE(found) << "no dynamic symbol table";
  return out;
}

TEST(LinesModule, EntryPointFuncIsTheOnlyExport) {
  const auto symbols = definedDynamicSymbols(BRELO_LINES_MODULE);
  ASSERT_EQ(symbols.size(), 1u) << "first: " << (symbols.empty() ? "" : symbols[0].name)
                                << (symbols.size() > 1 ? ", second: " + symbols[1].name : "");
  EXPECT_EQ(symbols[0].name, "EntryPointFunc");
  EXPECT_EQ(symbols[0].type, unsigned(STT_FUNC));
  EXPECT_EQ(symbols[0].binding, unsigned(STB_GLOBAL));
}

}  // namespace
