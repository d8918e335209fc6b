// The two Windows modules as the host and a Windows installation see them:
// x64 DLLs exporting EntryPointFunc alone, needing only DLLs every Windows
// has, carrying the effect's description as resource "PIPL" 16000 (language
// 1033) with the bytes the Linux generator writes. The PE reader itself is
// checked on damaged copies.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PeImage.h"

namespace {

using BreloTest::PeImage;
using BreloTest::PeResource;
using Bytes = std::vector<std::uint8_t>;

Bytes readFile(std::string const& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct Module {
  const char* name;
  const char* aex;
  const char* linuxPipl;  // the generator's property list of the Linux build
};

const Module kModules[] = {
    {"BreloLines", BRELO_LINES_AEX, BRELO_LINES_PIPL_BIN},
    {"BreloSimpleLines", BRELO_SIMPLELINES_AEX, BRELO_SIMPLELINES_PIPL_BIN},
};

class WindowsModule : public ::testing::TestWithParam<Module> {
 protected:
  PeImage image() {
    PeImage pe;
    std::string why;
    EXPECT_TRUE(PeImage::parse(readFile(GetParam().aex), &pe, &why)) << why;
    return pe;
  }
};

TEST_P(WindowsModule, IsAnX64DllExportingEntryPointFuncAlone) {
  const PeImage pe = image();
  EXPECT_EQ(pe.machine, 0x8664);
  EXPECT_TRUE(pe.characteristics & 0x2000) << "not a DLL";
  EXPECT_EQ(pe.exports, std::vector<std::string>{"EntryPointFunc"});
}

// The compiler's runtime is linked in: no libstdc++, libgcc or winpthread
// DLL to ship, only the system's own.
TEST_P(WindowsModule, ImportsOnlyFromDllsEveryWindowsHas) {
  const PeImage pe = image();
  std::vector<std::string> dlls;
  for (auto const& i : pe.imports) dlls.push_back(lower(i.first));
  EXPECT_EQ(dlls, (std::vector<std::string>{"kernel32.dll", "msvcrt.dll"}));
}

// The maths the effects call are compiled into the module, so they give
// the same results on every Windows installation and under wine: none is
// taken from the system's C runtime, whose own versions differ.
TEST_P(WindowsModule, TakesNoMathsFunctionFromTheSystem) {
  const PeImage pe = image();
  std::vector<std::string> maths;
  for (const char* f : {"sin", "cos", "sincos", "tan", "atan", "atan2", "pow", "exp", "exp2", "log", "log2", "log10",
                        "sqrt", "fmod", "floor", "ceil", "round", "lround", "trunc"}) {
    for (const char* suffix : {"", "f", "l"}) maths.push_back(std::string(f) + suffix);
  }
  ASSERT_FALSE(pe.imports.empty());
  for (auto const& dll : pe.imports) {
    for (std::string const& f : dll.second) EXPECT_EQ(std::count(maths.begin(), maths.end(), f), 0) << dll.first << " " << f;
  }
}

TEST_P(WindowsModule, CarriesTheLinuxGeneratorsDescriptionAsPipl16000) {
  const PeImage pe = image();
  std::vector<PeResource> pipl;
  for (PeResource const& r : pe.resources) {
    if (r.type == "PIPL") pipl.push_back(r);
  }
  ASSERT_EQ(pipl.size(), 1u);
  EXPECT_EQ(pipl[0].name, "#16000");
  EXPECT_EQ(pipl[0].language, 1033u);
  const Bytes expected = readFile(GetParam().linuxPipl);
  ASSERT_GT(expected.size(), 100u);
  EXPECT_EQ(pipl[0].data, expected);
}

void PrintTo(Module const& m, std::ostream* os) { *os << m.name; }

INSTANTIATE_TEST_SUITE_P(Both, WindowsModule, ::testing::ValuesIn(kModules),
                         [](::testing::TestParamInfo<Module> const& p) { return std::string(p.param.name); });

// Prefixes of a real module that end inside its headers or sections, and
// copies with one header field pointing far outside the file, are refused,
// never read past.
TEST(PeReader, RefusesDamagedFiles) {
  const Bytes good = readFile(BRELO_LINES_AEX);
  ASSERT_GT(good.size(), 4096u);
  PeImage pe;
  std::string why;
  ASSERT_TRUE(PeImage::parse(good, &pe, &why)) << why;
  for (std::size_t n : {std::size_t(0), std::size_t(2), std::size_t(0x40), std::size_t(0x100), std::size_t(0x400),
                        good.size() / 2}) {
    SCOPED_TRACE(n);
    Bytes cut(good.begin(), good.begin() + long(n));
    EXPECT_FALSE(PeImage::parse(cut, &pe, &why));
    EXPECT_FALSE(why.empty());
  }
  const std::uint32_t pe0 = std::uint32_t(good[0x3c]) | std::uint32_t(good[0x3d]) << 8;
  // The PE header offset, the section count, and the export, import and
  // resource directory addresses.
  for (std::size_t field : {std::size_t(0x3c), std::size_t(pe0 + 6), std::size_t(pe0 + 24 + 112),
                            std::size_t(pe0 + 24 + 120), std::size_t(pe0 + 24 + 128)}) {
    SCOPED_TRACE(field);
    Bytes bad = good;
    bad[field + 1] = 0xff;
    bad[field + 3] = 0x7f;
    EXPECT_FALSE(PeImage::parse(bad, &pe, &why));
  }
}

}  // namespace
