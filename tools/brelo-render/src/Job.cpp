#include "brelo_render/Job.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include <sys/stat.h>

#include "brelo_host/Module.h"
#include "brelo_host/Session.h"
#include "brelo_image/AtomicFile.h"
#include "brelo_image/ImageError.h"
#include "brelo_image/ImageFile.h"
#include "brelo_render/ContactSheet.h"
#include "brelo_render/ControlList.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/JobMemory.h"
#include "brelo_render/FramePattern.h"
#include "brelo_render/FramePlan.h"
#include "brelo_render/InputFrames.h"
#include "brelo_render/ModuleLocator.h"
#include "brelo_render/Preset.h"
#include "brelo_render/Progress.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void usage(std::string const& msg) { throw RenderError(ExitCode::Usage, msg); }

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// "BreloLines" from "BreloLines, v1.00\r..."; the file's name when the
// module gives no about text.
std::string effectName(std::string const& about, std::string const& path) {
  std::size_t end = about.find(", v");
  if (end != std::string::npos && end > 0) return oneLine(about.substr(0, end));
  std::size_t slash = path.find_last_of('/');
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = base.find('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::string frameLabel(long frame, A_long time, TimeBase const& tb) {
  return "frame " + std::to_string(frame) + " (" + formatSeconds(tb.seconds(time)) + ")";
}

// The output world placed where the host puts it in the layer's frame; the
// rest stays transparent. A world that fills the frame serves as it is.
struct PlacedFrame {
  ImageIO::PixelView view;
  Sim::Image composed;  // when the world had to be moved into the frame
};

void placeOnFrame(Sim::RenderResult const& r, int width, int height, Sim::Depth depth, PlacedFrame* out) {
  PF_EffectWorld const* world = r.world.get();
  if (world && world->width == width && world->height == height && r.originX == 0 && r.originY == 0) {
    out->view = ImageIO::PixelView(*world, depth);
    return;
  }
  out->composed = Sim::Image(width, height, depth);
  const std::size_t ps = Sim::pixelSize(depth);
  if (world) {
    const ImageIO::PixelView src(*world, depth);
    for (int y = 0; y < src.height; ++y) {
      int fy = y + r.originY;
      if (fy < 0 || fy >= height) continue;
      for (int x = 0; x < src.width; ++x) {
        int fx = x + r.originX;
        if (fx < 0 || fx >= width) continue;
        std::memcpy(out->composed.bytes() + (std::size_t(fy) * std::size_t(width) + std::size_t(fx)) * ps,
                    src.row(y) + std::size_t(x) * ps, ps);
      }
    }
  }
  out->view = ImageIO::PixelView(out->composed);
}

// Refuses outputs that would replace an input file: the same file under any
// name (links included) is the same device and inode.
class InputFiles {
 public:
  void add(std::string const& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) m_ids.push_back({st.st_dev, st.st_ino, path});
  }
  void checkNotInput(std::string const& output) const {
    struct stat st;
    if (stat(output.c_str(), &st) != 0) return;
    for (Id const& id : m_ids) {
      if (id.dev == st.st_dev && id.ino == st.st_ino)
        usage("the output " + output + " is the input " + id.path + "; brelo-render never writes over its input");
    }
  }

 private:
  struct Id {
    dev_t dev;
    ino_t ino;
    std::string path;
  };
  std::vector<Id> m_ids;
};

// "1005, 1007, 1009 and 4 more"
std::string frameList(std::vector<long> const& frames) {
  std::string s;
  const std::size_t shown = std::min<std::size_t>(frames.size(), 10);
  for (std::size_t i = 0; i < shown; ++i) s += (i ? ", " : "") + std::to_string(frames[i]);
  if (frames.size() > shown) s += " and " + std::to_string(frames.size() - shown) + " more";
  return s;
}

// Reports what the module did wrong to the host, each thing once.
class HostWatch {
 public:
  HostWatch(Sim::Session& s, std::ostream& err, std::string effect)
      : m_session(s), m_err(err), m_effect(std::move(effect)) {}

  void check() {
    std::vector<std::string> const& failed = m_session.instance().expressionErrors();
    for (std::size_t i = m_seenExpressions; i < failed.size(); ++i)
      warn("read a failing expression: " + oneLine(failed[i]));
    m_seenExpressions = failed.size();
    std::vector<std::string> misuses = m_session.host().misuses();
    for (std::size_t i = m_seen; i < misuses.size(); ++i) warn("misused the host: " + misuses[i]);
    m_seen = misuses.size();
    // What the effect holds after global set-up (its global data) is its
    // own until set-down; anything more after a command is a leak.
    Sim::Outstanding left = m_session.host().outstanding();
    std::size_t held = total(left);
    if (!m_baselineSet) {
      m_baseline = held;
      m_baselineSet = true;
    } else if (held > m_baseline) {
      warn("still holds host resources after a command: " + oneLine(left.describe()));
    }
  }

 private:
  void warn(std::string const& what) {
    if (!m_said.insert(what).second) return;
    if (m_said.size() > kMaxWarnings) return;
    m_err << "brelo-render: warning: " << m_effect << " " << what << "\n";
  }

  static std::size_t total(Sim::Outstanding const& o) {
    return o.handles + o.worlds + o.suites + o.params + o.layerPixels + o.effects + o.streams + o.blocks;
  }

  static constexpr std::size_t kMaxWarnings = 20;
  std::size_t m_baseline = 0;
  bool m_baselineSet = false;
  Sim::Session& m_session;
  std::ostream& m_err;
  std::string m_effect;
  std::size_t m_seen = 0;
  std::size_t m_seenExpressions = 0;
  std::set<std::string> m_said;
};

Sim::Depth depthOf(int bits) {
  return bits == 16 ? Sim::Depth::Bits16 : bits == 32 ? Sim::Depth::Bits32 : Sim::Depth::Bits8;
}

}  // namespace

int runJob(Options const& o, std::ostream& out, std::ostream& err, bool errIsTerminal) {
  if (o.help) {
    out << usageText();
    return 0;
  }
  if (o.version) {
    out << "brelo-render 1.0.0\n";
    return 0;
  }

  std::string modulePath;
  if (!o.plugin.empty())
    modulePath = o.plugin;
  else if (!o.effect.empty())
    modulePath = findModule(o.effect, executableDir());
  else
    usage("choose an effect with --effect lines|simplelines or a module with --plugin PATH");

  const bool informOnly = o.list || o.about;
  const bool renders = !o.output.empty() || !o.contactSheet.empty();
  if (!informOnly && !renders && !o.values && o.savePreset.empty())
    usage("nothing to do: give --output FILE or --contact-sheet FILE (or --list, --about, --values, --save-preset)");

  FramePlan plan = planFrames(o);
  const std::size_t frames = plan.frames.size();

  // Every output is checked before anything is rendered.
  FramePattern pattern;
  int bits = 0;
  if (!informOnly) {
    InputFiles inputFiles;
    if (plan.sequence) {
      for (PlannedFrame const& f : plan.frames) inputFiles.add(f.input);
    } else if (!o.input.empty()) {
      inputFiles.add(o.input);
    }
    if (!o.output.empty()) {
      pattern = FramePattern(o.output);
      const ImageIO::ImageFormat format = ImageIO::formatForName(o.output, "output " + o.output);
      bits = o.bits ? o.bits : format == ImageIO::ImageFormat::Png && o.pngBits ? o.pngBits : 0;
      if (o.bits) ImageIO::checkWritableBits(format, o.bits, o.output);
      if (frames > 1 && !pattern.numbered())
        usage("rendering " + std::to_string(frames) +
              " frames needs a frame number in the output name, e.g. out_%04d.png");
      ImageIO::AtomicFile::checkWritable(pattern.name(plan.frames.front().number));
      for (PlannedFrame const& f : plan.frames) inputFiles.checkNotInput(pattern.name(f.number));
    }
    if (!o.contactSheet.empty()) {
      if (ImageIO::formatForName(o.contactSheet, "contact sheet " + o.contactSheet) != ImageIO::ImageFormat::Png)
        usage("the contact sheet " + o.contactSheet + " is a PNG: its name must end in .png");
      ImageIO::AtomicFile::checkWritable(o.contactSheet);
      inputFiles.checkNotInput(o.contactSheet);
    }
    if (!o.savePreset.empty()) {
      ImageIO::AtomicFile::checkWritable(o.savePreset);
      inputFiles.checkNotInput(o.savePreset);
    }
  }

  InputFrames inputs(o, plan, err);
  Sim::Image layer = inputs.first();
  const LayerSize size{layer.width(), layer.height()};

  std::unique_ptr<Sim::Module> module;
  try {
    module = std::make_unique<Sim::Module>(modulePath);
  } catch (std::exception const& e) {
    throw RenderError(ExitCode::Module, e.what());
  }
  Sim::Session session(module->entry(), size.width, size.height);
  // The layer's own pixels are the input world where depths match: no copy.
  session.instance().setLayerLent(true);
  session.setInput(std::move(layer));
  int threads = o.threads ? o.threads : int(std::max(1u, std::thread::hardware_concurrency()));
  session.host().setNumThreads(threads);
  for (FaultOption const& f : o.failCalls) {
    Sim::Call call;
    Sim::callFromName(f.call, &call);
    session.host().failCalls(call, f.first, f.last, f.err);
  }
  for (auto const& s : o.withheldSuites) session.host().withholdSuite(s.first, s.second);

  Sim::CommandResult about = session.about();
  const std::string name = effectName(about.err ? std::string() : about.return_msg, modulePath);
  if (o.about) {
    if (about.err) throw RenderError(ExitCode::Module, name + " gave no about text: " + describeHostError(about.err));
    std::string text = about.return_msg;
    for (char& ch : text) {
      if (ch == '\r') ch = '\n';
    }
    out << text << "\n";
    if (!o.list) return 0;
  }

  HostWatch watch(session, err, name);
  EffectControls controls(session, name, o.timeBase, size);
  watch.check();
  if (o.list) {
    out << formatControlList(controls.controls(), size);
    return 0;
  }

  for (ControlStep const& step : o.controls) {
    if (step.kind == ControlStep::Kind::Preset)
      loadPreset(controls, step.text);
    else
      controls.assign(step.text);
  }
  if (!o.controls.empty()) controls.refreshUI();
  watch.check();
  if (!o.savePreset.empty()) savePreset(controls, o.savePreset);
  if (o.values) {
    for (std::size_t i = 0; i < frames; ++i) {
      PlannedFrame const& f = plan.frames[i];
      if (frames > 1 || i > 0) out << (i ? "\n" : "") << frameLabel(f.number, f.time, o.timeBase) << "\n";
      out << formatControlValues(controls, f.time);
      controls.checkExpressions();
    }
  }
  if (!renders) return 0;

  const Sim::Depth depth = depthOf(o.depth);
  const Sim::Downsample ds(1, A_u_long(o.downsample));
  const int frameW = Sim::Instance::scaledSize(size.width, ds.x);
  const int frameH = Sim::Instance::scaledSize(size.height, ds.y);
  ImageIO::WriteOptions writeOptions;
  writeOptions.bits = bits;
  // Refused before the render allocates its frames, rather than failing or
  // being killed part-way.
  checkJobMemory(bytesNeeded(JobBuffers{size.width, size.height, session.instance().layer().depth(), frameW, frameH,
                                        depth}),
                 bytesAvailable());
  std::unique_ptr<ContactSheet> sheet;
  if (!o.contactSheet.empty()) sheet = std::make_unique<ContactSheet>(frameW, frameH, int(frames));

  Progress progress(err, int(frames), frames > 1 && errIsTerminal && !o.quiet);
  const Clock::time_point start = Clock::now();
  std::size_t written = 0, rendered = 0;
  auto framesWritten = [&written]() {
    return written ? " (" + std::to_string(written) + " frames before it were written)" : std::string();
  };
  for (std::size_t i = inputs.firstIndex(); i < frames; ++i) {
    PlannedFrame const& f = plan.frames[i];
    const Clock::time_point t0 = Clock::now();
    if (plan.sequence && i > inputs.firstIndex()) {
      // One frame in flight: the last one's pixels go before the next is read.
      session.setInput(Sim::Image());
      Sim::Image next;
      std::string problem;
      if (!inputs.read(i, &next, &problem)) {
        progress.finish();
        if (!o.keepGoing) throw RenderError(ExitCode::Input, problem + framesWritten());
        inputs.skip(i, problem);
        continue;
      }
      session.setInput(std::move(next));
    }
    Sim::RenderResult r = session.render(f.time, depth, ds, Sim::OutputAs::World);
    controls.checkExpressions();
    watch.check();
    if (r.err) {
      progress.finish();
      std::string msg = describeEffectFailure(name,
                                              "to render " + frameLabel(f.number, f.time, o.timeBase) + " at " +
                                                  (r.preRenderErr ? "smart pre-render" : "smart render"),
                                              r.err, r.return_msg);
      throw RenderError(ExitCode::Render, msg + framesWritten());
    }
    PlacedFrame frame;
    placeOnFrame(r, frameW, frameH, depth, &frame);
    if (!o.output.empty()) {
      ImageIO::writeImage(frame.view, pattern.name(f.number), writeOptions);
      ++written;
    }
    if (sheet) sheet->add(frame.view);
    ++rendered;
    progress.frameDone(secondsSince(t0));
    // A long clip must not grow the host's records of the buffers it disposed of.
    session.host().forgetRetired(session.instance());
  }
  progress.finish();
  if (sheet)
    ImageIO::writeImage(sheet->image(), o.contactSheet, ImageIO::WriteOptions{8, ImageIO::Alpha::AsFormatExpects});

  if (!o.quiet) {
    double total = secondsSince(start);
    char timing[96];
    std::snprintf(timing, sizeof timing, "%.2f s, %.3f s a frame", total,
                  total / double(std::max<std::size_t>(rendered, 1)));
    std::string what =
        o.output.empty() ? std::string() : (frames > 1 ? pattern.pattern() : pattern.name(plan.frames[0].number));
    if (!o.contactSheet.empty()) what += (what.empty() ? "" : ", contact sheet ") + o.contactSheet;
    out << "rendered " << rendered << (rendered == 1 ? " frame" : " frames") << " of " << name << " (" << frameW
        << " x " << frameH << ", " << o.depth << "-bit, " << threads << (threads == 1 ? " thread" : " threads")
        << ") in " << timing << ": " << what << "\n";
  }
  if (!inputs.skipped().empty())
    throw RenderError(ExitCode::Input,
                      std::to_string(inputs.skipped().size()) + " of " + std::to_string(frames) +
                          " input frames could not be read and were skipped: " + frameList(inputs.skipped()));
  return 0;
}

}  // namespace Render
}  // namespace Brelo
