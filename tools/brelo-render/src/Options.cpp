#include "brelo_render/Options.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "brelo_host/Call.h"
#include "brelo_image/ImageLimits.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

// More frames than anyone renders from a command line: a typing error.
constexpr long kMaxFrames = 100000;

[[noreturn]] void usage(std::string const& msg) { throw RenderError(ExitCode::Usage, msg); }

bool parseLong(std::string const& s, long* out) {
  std::string t = trim(s);
  if (t.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(t.c_str(), &end, 10);
  if (end != t.c_str() + t.size() || errno == ERANGE) return false;
  *out = v;
  return true;
}

long integerArg(std::string const& opt, std::string const& v, long lo, long hi) {
  long n;
  if (!parseLong(v, &n) || n < lo || n > hi)
    usage(opt + " takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not \"" + v +
          "\"");
  return n;
}

FaultOption parseFault(std::string const& v) {
  std::vector<std::string> parts = split(v, ':');
  FaultOption f;
  Sim::Call call;
  if (parts.size() > 3 || !Sim::callFromName(trim(parts[0]), &call))
    usage("--fail-call takes CALL[:N[:ERROR]] with a host call such as checkout_layer_pixels, not \"" + v + "\"");
  f.call = trim(parts[0]);
  if (parts.size() > 1) {
    long n = integerArg("--fail-call's call number", parts[1], 1, 1000000000);
    f.first = f.last = std::uint64_t(n);
  }
  if (parts.size() > 2) f.err = PF_Err(integerArg("--fail-call's error", parts[2], 1, 100000));
  return f;
}

// The command line as given, before any value is checked: each value is
// checked below, so that the messages name the option as the user wrote it.
struct Given {
  bool help = false, version = false, list = false, about = false, values = false, quiet = false, keepGoing = false;
  std::vector<std::string> sets, presets, failCalls, withheld;
  std::string effect, plugin, savePreset, input, size, depth, downsample, threads, time, frame, frames, start,
      fps = "30", output, bits, pngBits, contactSheet;
};

constexpr std::size_t kHelpColumn = 31;
constexpr std::size_t kHelpWidth = 80;

// Text starting at `column` broken into lines that end before kHelpWidth;
// CLI11 indents a description's further lines to its column.
std::string wrap(std::string const& text, std::size_t column = kHelpColumn) {
  std::string out, line;
  for (std::string const& word : split(text, ' ')) {
    if (!line.empty() && column + line.size() + 1 + word.size() > kHelpWidth) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line;
}

// An option of `group`, its value named `value` in the help; a list takes
// every time it is given, in order.
template <class T>
void option(CLI::App& app, std::string const& group, const char* names, T& target, const char* value,
            std::string const& help) {
  CLI::Option* o = app.add_option(names, target, wrap(help))->type_name(value)->group(group);
  if (std::is_same<T, std::vector<std::string>>::value) o->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void flag(CLI::App& app, std::string const& group, const char* names, bool& target, std::string const& help) {
  app.add_flag(names, target, wrap(help))->group(group);
}

// Every option, its group and its help; CLI11 parses the command line and
// writes --help from these.
void declare(CLI::App& app, Given& g) {
  app.set_help_flag();
  app.allow_extras();
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.get_formatter()->column_width(kHelpColumn);
  app.get_formatter()->label("REQUIRED", "");

  std::string group = "Module";
  option(app, group, "-e,--effect", g.effect, "NAME", "the built effect: lines, simplelines (or BreloLines, ...)");
  option(app, group, "--plugin", g.plugin, "PATH", "any effect module");
  flag(app, group, "--list", g.list, "print every control: index, name, kind, default, range, group and menu entries");
  flag(app, group, "--about", g.about, "print the module's about text");

  group = "Controls (applied in the order given)";
  option(app, group, "-s,--set", g.sets, "NAME=VALUE",
         "NAME is a control's name or index; VALUE as the control shows it: 50 (percent controls in percent), 90 "
         "(degrees), Reflect or 3 (popups), #FF8000 (colours), 320,180 or 50%,50% (points), on/off (checkboxes). "
         "Keyframes: V@T;V@T, linear between keys and held outside; T in seconds (1.5 or 1.5s) or frames (45f)");
  option(app, group, "-p,--preset", g.presets, "FILE", "load a JSON preset");
  option(app, group, "--save-preset", g.savePreset, "FILE", "save the changed controls as a preset");
  flag(app, group, "--values", g.values, "print every control's value at the chosen times");

  group = "Input";
  option(app, group, "-i,--input", g.input, "FILE",
         "PNG, OpenEXR, TIFF or JPEG; a numbered sequence such as shot_%04d.exr renders each frame from its own "
         "file; default: the built-in test card");
  option(app, group, "--size", g.size, "WxH", "test card size (default 640x360)");
  option(app, group, "--start", g.start, "N",
         "the frame at time 0 (default: a sequence's first frame on disk, else 0)");
  flag(app, group, "--keep-going", g.keepGoing,
       "skip input frames that are missing or cannot be read, report them and exit with 3 at the end");

  group = "Rendering";
  option(app, group, "-d,--depth", g.depth, "8|16|32", "bits per channel; 32 is float (default 8)");
  option(app, group, "--downsample", g.downsample, "N", "render at 1/N resolution (default 1)");
  option(app, group, "-j,--threads", g.threads, "N", "the host's thread count (default: the machine's cores)");
  option(app, group, "-t,--time", g.time, "T", "render the frame at time T (seconds, or frames as 45f)");
  option(app, group, "-f,--frame", g.frame, "N", "render frame N");
  option(app, group, "--frames", g.frames, "A-B", "render frames A to B");
  option(app, group, "--fps", g.fps, "RATE", "frame rate: 30, 29.97 or 30000/1001 (default 30)");

  group = "Output";
  option(app, group, "-o,--output", g.output, "FILE",
         ".png (8 or 16-bit), .exr (float), .tif/.tiff (8, 16-bit or float) or .jpg/.jpeg (8-bit, over black); a "
         "sequence needs a frame number in the name: out_%04d.png");
  option(app, group, "--bits", g.bits, "8|16|32",
         "bits per channel of the output (default: the render depth where the format holds it)");
  option(app, group, "--png-bits", g.pngBits, "8|16", "PNG depth (default: 8 for 8-bit renders, else 16)");
  option(app, group, "--contact-sheet", g.contactSheet, "FILE", "a PNG tiling every frame");
  flag(app, group, "-q,--quiet", g.quiet, "no progress bar and no summary");

  group = "Testing an effect";
  option(app, group, "--fail-call", g.failCalls, "CALL[:N[:ERR]]",
         "make host call CALL fail (the Nth or all) with ERR");
  option(app, group, "--withhold-suite", g.withheld, "NAME:VERSION", "the host cannot supply this suite");
  flag(app, group, "-h,--help", g.help, "this text");
  flag(app, group, "--version", g.version, "the version");

  app.footer(
      wrap("Exit status: 0 done, 2 bad options, controls, values or presets, 3 bad input image, 4 the module cannot be "
           "loaded or fails outside rendering, 5 the module returned an error while rendering, 6 an output cannot be "
           "written, 1 anything else.",
           0));
}

const char* kDescription = "brelo-render: renders a Brelo effect module without the host application.";

// "-o needs a value": the option CLI11 names, as the user spelt it.
[[noreturn]] void missingValue(CLI::App& app, std::string const& what, std::vector<std::string> const& args) {
  std::string name = what.substr(0, what.find(':'));
  std::string spelt = name;
  if (const CLI::Option* opt = app.get_option_no_throw(name)) {
    for (std::string const& a : args) {
      std::string bare = a.substr(0, a.find('='));
      if (!bare.empty() && bare[0] == '-' && opt->check_name(bare)) spelt = bare;
    }
  }
  usage(spelt + " needs a value; brelo-render --help shows the options");
}

// The steps of --set and --preset, in command-line order.
std::vector<ControlStep> controlSteps(CLI::App& app, Given const& g) {
  const CLI::Option* set = app.get_option("--set");
  const CLI::Option* preset = app.get_option("--preset");
  std::vector<ControlStep> steps;
  std::size_t s = 0, p = 0;
  for (const CLI::Option* o : app.parse_order()) {
    if (o == set && s < g.sets.size()) steps.push_back({ControlStep::Kind::Set, g.sets[s++]});
    if (o == preset && p < g.presets.size()) steps.push_back({ControlStep::Kind::Preset, g.presets[p++]});
  }
  return steps;
}

}  // namespace

std::string usageText() {
  CLI::App app(kDescription, "brelo-render");
  Given g;
  declare(app, g);
  return app.help();
}

Options parseOptions(std::vector<std::string> const& args) {
  CLI::App app(kDescription, "brelo-render");
  Given g;
  declare(app, g);
  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (CLI::ArgumentMismatch const& e) {
    missingValue(app, e.what(), args);
  } catch (CLI::ParseError const& e) {
    usage(std::string(e.what()) + "; brelo-render --help shows the options");
  }
  std::vector<std::string> extra = app.remaining();
  if (!extra.empty()) {
    std::string a = extra.front();
    if (a.size() > 1 && a[0] == '-')
      usage("unknown option " + a.substr(0, a.find('=')) + "; brelo-render --help shows the options");
    usage("unexpected argument \"" + a + "\"; set controls with --set NAME=VALUE");
  }

  Options o;
  o.help = g.help;
  o.version = g.version;
  o.list = g.list;
  o.about = g.about;
  o.values = g.values;
  o.quiet = g.quiet;
  o.keepGoing = g.keepGoing;
  if (app.count("--effect") > 1) usage("--effect is given twice");
  if (app.count("--plugin") > 1) usage("--plugin is given twice");
  o.effect = g.effect;
  o.plugin = g.plugin;
  o.controls = controlSteps(app, g);
  o.savePreset = g.savePreset;
  o.input = g.input;
  if (app.count("--depth")) {
    long d;
    if (!parseLong(g.depth, &d) || (d != 8 && d != 16 && d != 32))
      usage("--depth takes 8, 16 or 32, not \"" + g.depth + "\"");
    o.depth = int(d);
  }
  if (app.count("--downsample")) o.downsample = int(integerArg("--downsample", g.downsample, 1, 64));
  if (app.count("--threads")) o.threads = int(integerArg("--threads", g.threads, 1, 256));
  o.output = g.output;
  if (app.count("--bits")) {
    long b;
    if (!parseLong(g.bits, &b) || (b != 8 && b != 16 && b != 32))
      usage("--bits takes 8, 16 or 32, not \"" + g.bits + "\"");
    o.bits = int(b);
  }
  if (app.count("--png-bits")) {
    long b;
    if (!parseLong(g.pngBits, &b) || (b != 8 && b != 16)) usage("--png-bits takes 8 or 16, not \"" + g.pngBits + "\"");
    o.pngBits = int(b);
  }
  if (o.bits && o.pngBits) usage("choose one of --bits and --png-bits");
  o.contactSheet = g.contactSheet;
  for (std::string const& f : g.failCalls) o.failCalls.push_back(parseFault(f));
  for (std::string const& v : g.withheld) {
    std::size_t colon = v.rfind(':');
    long version = 0;
    if (colon == std::string::npos || trim(v.substr(0, colon)).empty() || !parseLong(v.substr(colon + 1), &version))
      usage("--withhold-suite takes NAME:VERSION, e.g. \"PF World Suite:2\", not \"" + v + "\"");
    o.withheldSuites.push_back({trim(v.substr(0, colon)), std::int32_t(version)});
  }

  if (!o.effect.empty() && !o.plugin.empty()) usage("choose the module with --effect or --plugin, not both");

  if (app.count("--size")) {
    if (!o.input.empty()) usage("--size sets the test card's size and cannot go with --input");
    std::size_t x = toLower(g.size).find('x');
    long w = 0, h = 0;
    if (x == std::string::npos || !parseLong(g.size.substr(0, x), &w) || !parseLong(g.size.substr(x + 1), &h))
      usage("--size takes WIDTHxHEIGHT, e.g. 1280x720, not \"" + g.size + "\"");
    std::string problem = ImageIO::imageSizeProblem(w, h, "the test card");
    if (!problem.empty()) usage(problem);
    o.cardWidth = int(w);
    o.cardHeight = int(h);
  }

  o.timeBase = parseFrameRate(g.fps);
  if (app.count("--start")) {
    o.startGiven = true;
    o.start = integerArg("--start", g.start, -1000000000, 1000000000);
  }
  int timeChoices = int(app.count("--time") > 0) + int(app.count("--frame") > 0) + int(app.count("--frames") > 0);
  if (timeChoices > 1) usage("choose one of --time, --frame and --frames");
  if (app.count("--time")) {
    o.frameChoice = Options::FrameChoice::Time;
    o.time = parseTime(g.time, o.timeBase);
    o.times.push_back(o.time);
    o.frameNumbers.push_back(o.start + long(std::llround(double(o.time) / double(o.timeBase.step))));
  } else if (app.count("--frame")) {
    long n = integerArg("--frame", g.frame, -1000000000, 1000000000);
    o.frameChoice = Options::FrameChoice::Frame;
    o.firstFrame = o.lastFrame = n;
    o.times.push_back(o.timeBase.frameTime(n - o.start));
    o.frameNumbers.push_back(n);
  } else if (app.count("--frames")) {
    std::string const& text = g.frames;
    // "A-B"; A may be negative, so the separator is the first '-' after A's sign.
    std::size_t dash = text.empty() ? std::string::npos : text.find('-', text[0] == '-' ? 1 : 0);
    long a = 0, b = 0;
    if (dash == std::string::npos || !parseLong(text.substr(0, dash), &a) || !parseLong(text.substr(dash + 1), &b))
      usage("--frames takes FIRST-LAST, e.g. 0-47, not \"" + text + "\"");
    if (b < a) usage("--frames " + text + ": the last frame comes before the first");
    if (b - a + 1 > kMaxFrames) usage("--frames " + text + ": more than " + std::to_string(kMaxFrames) + " frames");
    o.frameChoice = Options::FrameChoice::Range;
    o.firstFrame = a;
    o.lastFrame = b;
    for (long n = a; n <= b; ++n) {
      o.times.push_back(o.timeBase.frameTime(n - o.start));
      o.frameNumbers.push_back(n);
    }
  } else {
    o.times.push_back(0);
    o.frameNumbers.push_back(o.start);
  }
  return o;
}

}  // namespace Render
}  // namespace Brelo
