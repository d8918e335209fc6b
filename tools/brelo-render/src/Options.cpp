#include "brelo_render/Options.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>

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
    usage(opt + " takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not \"" + v + "\"");
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
  std::string effect, plugin, savePreset, input, size, depth, downsample, threads, time, frame, frames, start, fps = "30", output,
      bits, pngBits, contactSheet;
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

// Every option, its group and its help; CLI11 parses the command line and
// writes --help from these.
void declare(CLI::App& app, Given& g) {
  app.set_help_flag();
  app.allow_extras();
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.get_formatter()->column_width(kHelpColumn);
  app.get_formatter()->label("REQUIRED", "");

  std::string group = "Module";
  app.add_option("-e,--effect", g.effect, wrap("the built effect: lines, simplelines (or BreloLines, ...)"))
      ->type_name("NAME")->group(group);
  app.add_option("--plugin", g.plugin, wrap("any effect module"))->type_name("PATH")->group(group);
  app.add_flag("--list", g.list, wrap("print every control: index, name, kind, default, range, group and menu entries"))
      ->group(group);
  app.add_flag("--about", g.about, wrap("print the module's about text"))->group(group);

  group = "Controls (applied in the order given)";
  app.add_option("-s,--set", g.sets,
                 wrap("NAME is a control's name or index; VALUE as the control shows it: 50 (percent controls in percent), "
                 "90 (degrees), Reflect or 3 (popups), #FF8000 (colours), 320,180 or 50%,50% (points), on/off "
                 "(checkboxes). Keyframes: V@T;V@T, linear between keys and held outside; T in seconds (1.5 or 1.5s) "
                 "or frames (45f)"))
      ->type_name("NAME=VALUE")->group(group)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("-p,--preset", g.presets, wrap("load a JSON preset"))->type_name("FILE")->group(group)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--save-preset", g.savePreset, wrap("save the changed controls as a preset"))->type_name("FILE")->group(group);
  app.add_flag("--values", g.values, wrap("print every control's value at the chosen times"))->group(group);

  group = "Input";
  app.add_option("-i,--input", g.input,
                 wrap("PNG, OpenEXR, TIFF or JPEG; a numbered sequence such as shot_%04d.exr renders each frame's own "
                 "file; default: the built-in test card"))
      ->type_name("FILE")->group(group);
  app.add_option("--size", g.size, wrap("test card size (default 640x360)"))->type_name("WxH")->group(group);
  app.add_option("--start", g.start,
                 wrap("the frame at time 0 (default: a sequence's first frame on disk, else 0)"))
      ->type_name("N")->group(group);
  app.add_flag("--keep-going", g.keepGoing,
               wrap("skip input frames that are missing or cannot be read, report them and exit with 3 at the end"))
      ->group(group);

  group = "Rendering";
  app.add_option("-d,--depth", g.depth, wrap("bits per channel; 32 is float (default 8)"))->type_name("8|16|32")->group(group);
  app.add_option("--downsample", g.downsample, wrap("render at 1/N resolution (default 1)"))->type_name("N")->group(group);
  app.add_option("-j,--threads", g.threads, wrap("the host's thread count (default: the machine's cores)"))
      ->type_name("N")->group(group);
  app.add_option("-t,--time", g.time, wrap("render the frame at time T (seconds, or frames as 45f)"))->type_name("T")->group(group);
  app.add_option("-f,--frame", g.frame, wrap("render frame N"))->type_name("N")->group(group);
  app.add_option("--frames", g.frames, wrap("render frames A to B"))->type_name("A-B")->group(group);
  app.add_option("--fps", g.fps, wrap("frame rate: 30, 29.97 or 30000/1001 (default 30)"))->type_name("RATE")->group(group);

  group = "Output";
  app.add_option("-o,--output", g.output,
                 wrap(".png (8 or 16-bit), .exr (float), .tif/.tiff (8, 16-bit or float) or .jpg/.jpeg (8-bit, over "
                 "black); a sequence needs a frame number in the name: out_%04d.png"))
      ->type_name("FILE")->group(group);
  app.add_option("--bits", g.bits, wrap("bits per channel of the output (default: the render depth where the format holds it)"))
      ->type_name("8|16|32")->group(group);
  app.add_option("--png-bits", g.pngBits, wrap("PNG depth (default: 8 for 8-bit renders, else 16)"))
      ->type_name("8|16")->group(group);
  app.add_option("--contact-sheet", g.contactSheet, wrap("a PNG tiling every frame"))->type_name("FILE")->group(group);
  app.add_flag("-q,--quiet", g.quiet, wrap("no progress bar and no summary"))->group(group);

  group = "Testing an effect";
  app.add_option("--fail-call", g.failCalls, wrap("make host call CALL fail (the Nth or all) with ERR"))
      ->type_name("CALL[:N[:ERR]]")->group(group)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--withhold-suite", g.withheld, wrap("the host cannot supply this suite"))
      ->type_name("NAME:VERSION")->group(group)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_flag("-h,--help", g.help, wrap("this text"))->group(group);
  app.add_flag("--version", g.version, wrap("the version"))->group(group);

  app.footer(wrap(
      "Exit status: 0 done, 2 bad options, controls, values or presets, 3 bad input image, 4 the module cannot be "
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
    if (a.size() > 1 && a[0] == '-') usage("unknown option " + a.substr(0, a.find('=')) + "; brelo-render --help shows the options");
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
    if (!parseLong(g.depth, &d) || (d != 8 && d != 16 && d != 32)) usage("--depth takes 8, 16 or 32, not \"" + g.depth + "\"");
    o.depth = int(d);
  }
  if (app.count("--downsample")) o.downsample = int(integerArg("--downsample", g.downsample, 1, 64));
  if (app.count("--threads")) o.threads = int(integerArg("--threads", g.threads, 1, 256));
  o.output = g.output;
  if (app.count("--bits")) {
    long b;
    if (!parseLong(g.bits, &b) || (b != 8 && b != 16 && b != 32)) usage("--bits takes 8, 16 or 32, not \"" + g.bits + "\"");
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
