// Bad input to the built brelo-render: a one-line message, its exit status,
// no output file, and an existing output file left as it was.
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "brelo_host/Image.h"
#include "brelo_image/ImageFile.h"

using namespace RenderTest;

namespace {

// Runs the tool in a directory holding out.png ("OLD") and whatever
// `prepare` adds; checks the status and the message, and that the run
// left every file as it found it.
void expectRefused(std::vector<std::string> const& args, int code, std::string const& message,
                   std::function<void(TempDir&)> const& prepare = nullptr, bool exactMessage = true) {
  TempDir dir;
  writeFile(dir / "out.png", "OLD");
  if (prepare) prepare(dir);
  std::vector<std::string> before = dir.entries();
  RunResult r = runTool(args, dir.path());
  EXPECT_EQ(r.code, code) << r.err;
  if (exactMessage)
    EXPECT_EQ(r.err, "brelo-render: " + message + "\n");
  else
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(readFile(dir / "out.png"), "OLD");
  EXPECT_EQ(dir.entries(), before);
}

std::vector<std::string> withModule(std::vector<std::string> extra) {
  std::vector<std::string> a = {"--plugin", BRELO_TEST_MODULE, "-o", "out.png"};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

// Runs of the small test module on a 32x24 card with `args` added, each
// refused with `code` and `message`.
struct Refusal {
  std::vector<std::string> args;
  int code;
  std::string message;
};

void expectEachRefused(std::vector<Refusal> const& cases) {
  for (Refusal const& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<std::string> args = {"--size", "32x24"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    expectRefused(withModule(args), c.code, c.message);
  }
}

std::string smallPng() {
  Brelo::Sim::Image img(40, 30, Brelo::Sim::Depth::Bits8);
  img.fill({1, 0.2f, 0.4f, 0.6f});
  TempDir dir;
  Brelo::ImageIO::writeImage(img, dir / "small.png");
  return readFile(dir / "small.png");
}

std::string pngOfSize(std::uint32_t w, std::uint32_t h) {
  std::string s = smallPng();
  for (int i = 0; i < 4; ++i) {
    s[std::size_t(16 + i)] = char(w >> (24 - 8 * i));
    s[std::size_t(20 + i)] = char(h >> (24 - 8 * i));
  }
  return s;
}

}  // namespace

TEST(CliErrors, ControlsValuesAndKeyframes) {
  expectEachRefused({
      {{"-s", "Gian=5"}, 2, "unknown control \"Gian\"; did you mean \"Gain\"?"},
      {{"-s", "Gain=150"}, 2, "\"Gain\" takes 0 to 100, not 150"},
      {{"-s", "Fill Color=blue"}, 2, "\"Fill Color\" takes a colour as #RRGGBB, not \"blue\""},
      {{"-s", "Mode=4"}, 2, "\"Mode\" takes an entry from 1 to 3 (Copy, Fill, Sample), not 4"},
      {{"-s", "Gain=0@2;100@1"}, 2,
       "keyframes of \"Gain\" out of order: 1s comes after 2s; give them in increasing time"},
      {{"-s", "Enabled=on@0;off@1"}, 2, "\"Enabled\" is fixed in time and takes no keyframes"},
  });
  expectRefused(withModule({"--size", "32x24", "-p", "p.json"}), 2,
                "p.json: the preset is for BreloLines, not SimTestModule", [](TempDir& d) {
                  writeFile(d / "p.json", R"({"brelo-render preset": 1, "effect": "BreloLines", "controls": {}})");
                });
  expectRefused(withModule({"--size", "32x24", "-p", "presets"}), 2,
                "presets: cannot read the preset: it is a directory",
                [](TempDir& d) { mkdir((d / "presets").c_str(), 0755); });
  expectRefused(withModule({"--size", "32x24", "-p", "nope.json"}), 2,
                "nope.json: cannot read the preset: No such file or directory");
  expectRefused(withModule({"--size", "32x24", "--bogus"}), 2, "unknown option --bogus; brelo-render --help shows the options");
  expectRefused({"-e", "blur", "-o", "out.png"}, 2,
                "unknown effect \"blur\"; the effects are lines, simplelines (or load any module with --plugin PATH)");
  expectRefused({"--plugin", BRELO_TEST_MODULE}, 2,
                "nothing to do: give --output FILE or --contact-sheet FILE (or --list, --about, --values, --save-preset)");
  expectRefused(withModule({"--size", "32x24", "--frames", "0-2"}), 2,
                "rendering 3 frames needs a frame number in the output name, e.g. out_%04d.png");
  expectRefused(withModule({"--size", "32x24", "--contact-sheet", "s.exr"}), 2,
                "the contact sheet s.exr is a PNG: its name must end in .png");
}

std::string presetWithExpression(std::string const& effect, std::string const& control, std::string const& expression) {
  return R"({"brelo-render preset": 1, "effect": ")" + effect + R"(", "controls": {")" + control +
         R"(": {"value": 100, "expression": )" + expression + "}}}";
}

// Presets are shared: an expression in one that never ends, or grows without
// bound, ends the run at its first read, naming the control.
TEST(CliErrors, RunawayExpressionsEndTheRunNamingTheirControl) {
  auto withPreset = [](std::string const& text) { return [text](TempDir& d) { writeFile(d / "p.json", text); }; };
  expectRefused({"--plugin", BRELO_LINES_MODULE, "-p", "p.json", "-o", "out.png"}, 2,
                "the expression of \"Completion\" was stopped, over its budget of 4194304 steps: while(true){}",
                withPreset(presetWithExpression("BreloLines", "Completion", R"("while(true){}")")));
  expectRefused({"--plugin", BRELO_LINES_MODULE, "-p", "p.json", "--values"}, 2,
                "the expression of \"Completion\" was stopped, over its budget of 32 MiB of memory: "
                "var s = 'grow'; for (;;) { s = s + s; }",
                withPreset(presetWithExpression("BreloLines", "Completion", R"("var s = 'grow';\n for (;;) {\n   s = s + s;\n }")")));
  expectRefused(withModule({"--size", "32x24", "-p", "p.json", "--frames", "0-3", "-o", "seq_%d.png"}), 2,
                "the expression of \"Gain\" was stopped, over its budget of 0.5 s: new Array(4294967295).join(''); // a lon...",
                withPreset(presetWithExpression("SimTestModule", "Gain",
                                                R"("new Array(4294967295).join(''); // a long comment after it")")));
}

TEST(CliErrors, BrokenPresetFilesAreUsageErrors) {
  expectRefused(withModule({"--size", "32x24", "-p", "p.json"}), 2,
                "p.json: not a valid preset: parse error at line 1, column 80: number 1e999 is out of range",
                [](TempDir& d) {
                  writeFile(d / "p.json", R"({"brelo-render preset": 1, "effect": "SimTestModule", "controls": {"Gain": 1e999}})");
                });
  expectRefused(withModule({"--size", "32x24", "-p", "/dev/zero"}), 2,
                "/dev/zero: more than 16 MiB to read; a preset is at most that");
}

TEST(CliErrors, UnreadableTruncatedAndAbsurdImages) {
  expectRefused(withModule({"-i", "missing.png"}), 3, "cannot read missing.png: No such file or directory");
  expectRefused(withModule({"-i", "in.png"}), 3, "truncated",
                [](TempDir& d) { writeFile(d / "in.png", smallPng().substr(0, 60)); }, false);
  expectRefused(withModule({"-i", "in.png"}), 3, "in.png is 0 x 30 pixels: it has no pixels",
                [](TempDir& d) { writeFile(d / "in.png", pngOfSize(0, 30)); });
  expectRefused(withModule({"-i", "in.png"}), 3,
                "in.png is 30001 x 2 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all",
                [](TempDir& d) { writeFile(d / "in.png", pngOfSize(30001, 2)); });
  expectRefused(withModule({"-i", "in.png"}), 3, "cannot read in.png: not a PNG, OpenEXR, TIFF or JPEG file",
                [](TempDir& d) { writeFile(d / "in.png", "GIF89a..."); });
  expectRefused(withModule({"--size", "0x5"}), 2, "the test card is 0 x 5 pixels: it has no pixels");
}

TEST(CliErrors, UnwritableOutputs) {
  expectRefused({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "-o", "no/out.png"}, 6,
                "cannot write no/out.png: no: No such file or directory");
  expectRefused({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "-o", "dir.png"}, 6,
                "cannot write dir.png: it is a directory", [](TempDir& d) { mkdir((d / "dir.png").c_str(), 0755); });
  expectRefused({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "-o", "out.png", "--contact-sheet", "out.png/s.png"},
                6, "cannot write out.png/s.png: out.png is not a directory");
  expectRefused({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "-o", "out.gif"}, 2,
                "output out.gif: the name must end in .png, .exr, .tif, .tiff, .jpg or .jpeg");
  expectRefused({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "-o", "out%s.png"}, 2,
                "output out%s.png: a frame number is written %d or %04d; write %% for a percent sign");
}

TEST(CliErrors, ErrorsOfTheModuleShowItsCode) {
  expectEachRefused({
      {{"--fail-call", "checkout_output"}, 5,
       "SimTestModule failed to render frame 0 (0s) at smart render: error 4 (out of memory)"},
      {{"--fail-call", "checkout_layer:1:516"}, 5,
       "SimTestModule failed to render frame 0 (0s) at smart pre-render: error 516 (bad callback parameter)"},
      {{"--fail-call", "add_param:3"}, 4, "SimTestModule failed at parameter set-up: error 4 (out of memory)"},
  });
  expectRefused({"--plugin", BRELO_LINES_MODULE, "--withhold-suite", "AEGP Utility Suite:7", "-o", "out.png"}, 4,
                "BreloLines failed at global set-up: error 516 (bad callback parameter)");
  expectRefused({"--plugin", "fake.so", "-o", "out.png"}, 4, "cannot load plug-in fake.so", [](TempDir& d) {
    writeFile(d / "fake.so", "not a module");
  }, false);
}

TEST(CliErrors, AFailureMidSequenceKeepsTheFramesBeforeAndTouchesNoOther) {
  TempDir dir;
  writeFile(dir / "seq_2.png", "OLD");
  RunResult r = runTool({"--plugin", BRELO_TEST_MODULE, "--size", "32x24", "--frames", "0-3", "-o", "seq_%d.png",
                         "--contact-sheet", "sheet.png", "--fail-call", "checkout_output:3"},
                        dir.path());
  EXPECT_EQ(r.code, 5);
  EXPECT_EQ(r.err,
            "brelo-render: SimTestModule failed to render frame 2 (0.0666667s) at smart render: error 4 (out of memory) "
            "(2 frames before it were written)\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"seq_0.png", "seq_1.png", "seq_2.png"}));
  EXPECT_EQ(readFile(dir / "seq_2.png"), "OLD");
  for (const char* f : {"seq_0.png", "seq_1.png"}) {
    PngPixels p = decodePngFile(dir / f);
    EXPECT_EQ(p.width, 32) << f;
    EXPECT_EQ(p.height, 24) << f;
  }
}
