#include "brelo_render/Options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "brelo_host/Call.h"
#include "brelo_render/ImageLimits.h"
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

}  // namespace

std::string usageText() {
  return R"(brelo-render: renders a Brelo effect module without the host application.

Usage: brelo-render (--effect lines|simplelines | --plugin PATH) [options]

Module
  -e, --effect NAME        the built effect: lines, simplelines (or BreloLines, ...)
      --plugin PATH        any effect module
      --list               print every control: index, name, kind, default, range,
                           group and menu entries
      --about              print the module's about text
Controls (applied in the order given)
  -s, --set NAME=VALUE     NAME is a control's name or index; VALUE as the control
                           shows it: 50 (percent controls in percent), 90 (degrees),
                           Reflect or 3 (popups), #FF8000 (colours), 320,180 or
                           50%,50% (points), on/off (checkboxes)
  -s, --set NAME=V@T;V@T   keyframes, linear between keys and held outside; T in
                           seconds (1.5 or 1.5s) or frames (45f)
  -p, --preset FILE        load a JSON preset
      --save-preset FILE   save the changed controls as a preset
      --values             print every control's value at the chosen times
Input
  -i, --input FILE         PNG (8/16-bit gray, RGB, RGBA) or OpenEXR; default: the
                           built-in test card
      --size WxH           test card size (default 640x360)
Rendering
  -d, --depth 8|16|32      bits per channel; 32 is float (default 8)
      --downsample N       render at 1/N resolution (default 1)
  -j, --threads N          the host's thread count (default: the machine's cores)
  -t, --time T             render the frame at time T (seconds, or frames as 45f)
  -f, --frame N            render frame N
      --frames A-B         render frames A to B
      --fps RATE           frame rate: 30, 29.97 or 30000/1001 (default 30)
Output
  -o, --output FILE        .png (8 or 16-bit) or .exr (float); a sequence needs a
                           frame number in the name: out_%04d.png
      --png-bits 8|16      PNG depth (default: 8 for 8-bit renders, else 16)
      --contact-sheet FILE a PNG tiling every frame
  -q, --quiet              no progress bar and no summary
Testing an effect
      --fail-call CALL[:N[:ERR]]   make host call CALL fail (the Nth or all) with ERR
      --withhold-suite NAME:VERSION  the host cannot supply this suite
  -h, --help, --version

Exit status: 0 done, 2 bad options, controls, values or presets, 3 bad input image,
4 the module cannot be loaded or fails outside rendering, 5 the module returned an
error while rendering, 6 an output cannot be written, 1 anything else.
)";
}

Options parseOptions(std::vector<std::string> const& args) {
  Options o;
  std::string fps = "30", timeText, frameText, framesText, sizeText;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string a = args[i];
    std::string value;
    bool inlineValue = false;
    if (a.size() > 2 && a[0] == '-' && a[1] == '-') {
      std::size_t eq = a.find('=');
      if (eq != std::string::npos) {
        value = a.substr(eq + 1);
        a = a.substr(0, eq);
        inlineValue = true;
      }
    }
    auto arg = [&]() -> std::string {
      if (inlineValue) return value;
      if (i + 1 >= args.size()) usage(a + " needs a value; brelo-render --help shows the options");
      return args[++i];
    };
    if (a == "-h" || a == "--help") o.help = true;
    else if (a == "--version") o.version = true;
    else if (a == "--list") o.list = true;
    else if (a == "--about") o.about = true;
    else if (a == "--values") o.values = true;
    else if (a == "-q" || a == "--quiet") o.quiet = true;
    else if (a == "-e" || a == "--effect") {
      if (!o.effect.empty()) usage("--effect is given twice");
      o.effect = arg();
    } else if (a == "--plugin") {
      if (!o.plugin.empty()) usage("--plugin is given twice");
      o.plugin = arg();
    } else if (a == "-s" || a == "--set") o.controls.push_back({ControlStep::Kind::Set, arg()});
    else if (a == "-p" || a == "--preset") o.controls.push_back({ControlStep::Kind::Preset, arg()});
    else if (a == "--save-preset") o.savePreset = arg();
    else if (a == "-i" || a == "--input") o.input = arg();
    else if (a == "--size") sizeText = arg();
    else if (a == "-d" || a == "--depth") {
      std::string v = arg();
      long d;
      if (!parseLong(v, &d) || (d != 8 && d != 16 && d != 32)) usage("--depth takes 8, 16 or 32, not \"" + v + "\"");
      o.depth = int(d);
    } else if (a == "--downsample") o.downsample = int(integerArg(a, arg(), 1, 64));
    else if (a == "-j" || a == "--threads") o.threads = int(integerArg(a, arg(), 1, 256));
    else if (a == "-t" || a == "--time") timeText = arg();
    else if (a == "-f" || a == "--frame") frameText = arg();
    else if (a == "--frames") framesText = arg();
    else if (a == "--fps") fps = arg();
    else if (a == "-o" || a == "--output") o.output = arg();
    else if (a == "--png-bits") {
      std::string v = arg();
      long b;
      if (!parseLong(v, &b) || (b != 8 && b != 16)) usage("--png-bits takes 8 or 16, not \"" + v + "\"");
      o.pngBits = int(b);
    } else if (a == "--contact-sheet") o.contactSheet = arg();
    else if (a == "--fail-call") o.failCalls.push_back(parseFault(arg()));
    else if (a == "--withhold-suite") {
      std::string v = arg();
      std::size_t colon = v.rfind(':');
      long version = 0;
      if (colon == std::string::npos || trim(v.substr(0, colon)).empty() || !parseLong(v.substr(colon + 1), &version))
        usage("--withhold-suite takes NAME:VERSION, e.g. \"PF World Suite:2\", not \"" + v + "\"");
      o.withheldSuites.push_back({trim(v.substr(0, colon)), std::int32_t(version)});
    } else if (!a.empty() && a[0] == '-') {
      usage("unknown option " + a + "; brelo-render --help shows the options");
    } else {
      usage("unexpected argument \"" + a + "\"; set controls with --set NAME=VALUE");
    }
  }

  if (!o.effect.empty() && !o.plugin.empty()) usage("choose the module with --effect or --plugin, not both");

  if (!sizeText.empty()) {
    if (!o.input.empty()) usage("--size sets the test card's size and cannot go with --input");
    std::size_t x = toLower(sizeText).find('x');
    long w = 0, h = 0;
    if (x == std::string::npos || !parseLong(sizeText.substr(0, x), &w) || !parseLong(sizeText.substr(x + 1), &h))
      usage("--size takes WIDTHxHEIGHT, e.g. 1280x720, not \"" + sizeText + "\"");
    checkImageSize(w, h, "the test card", ExitCode::Usage);
    o.cardWidth = int(w);
    o.cardHeight = int(h);
  }

  o.timeBase = parseFrameRate(fps);
  int timeChoices = !timeText.empty() + !frameText.empty() + !framesText.empty();
  if (timeChoices > 1) usage("choose one of --time, --frame and --frames");
  if (!timeText.empty()) {
    A_long t = parseTime(timeText, o.timeBase);
    o.times.push_back(t);
    o.frameNumbers.push_back(long(std::llround(double(t) / double(o.timeBase.step))));
  } else if (!frameText.empty()) {
    long n = integerArg("--frame", frameText, -1000000000, 1000000000);
    o.times.push_back(o.timeBase.frameTime(n));
    o.frameNumbers.push_back(n);
  } else if (!framesText.empty()) {
    // "A-B"; A may be negative, so the separator is the first '-' after A's sign.
    std::size_t dash = framesText.find('-', framesText[0] == '-' ? 1 : 0);
    long a = 0, b = 0;
    if (dash == std::string::npos || !parseLong(framesText.substr(0, dash), &a) ||
        !parseLong(framesText.substr(dash + 1), &b))
      usage("--frames takes FIRST-LAST, e.g. 0-47, not \"" + framesText + "\"");
    if (b < a) usage("--frames " + framesText + ": the last frame comes before the first");
    if (b - a + 1 > kMaxFrames) usage("--frames " + framesText + ": more than " + std::to_string(kMaxFrames) + " frames");
    for (long n = a; n <= b; ++n) {
      o.times.push_back(o.timeBase.frameTime(n));
      o.frameNumbers.push_back(n);
    }
  } else {
    o.times.push_back(0);
    o.frameNumbers.push_back(0);
  }
  return o;
}

}  // namespace Render
}  // namespace Brelo
