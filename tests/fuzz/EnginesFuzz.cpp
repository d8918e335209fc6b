// Both engines on random control values (within the ranges the controls
// register, converted by the shells as a render converts them), random
// layer sizes, depths and downsamples: drawn in bands on worker threads and
// on one thread, the frames must be the same bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Brelo/Effect/BreloLinesFrame.h"
#include "Brelo/Effect/BreloSimpleLinesFrame.h"
#include "FuzzInput.h"
#include "Lines/LinesRecord.h"
#include "Lines/LinesParams.h"
#include "LinesScene.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "SimpleLines/SimpleLinesRecord.h"
#include "brelo_host/Session.h"

namespace {

using namespace Brelo;
using BreloFuzz::FuzzInput;

// A control as registered; popup entries kept to tell separators.
struct Registered {
  PF_ParamDef def;
  std::vector<bool> separator;  // by entry, from 1
};

std::vector<Registered> registered(PF_Err (*registerParams)(PF_InData*, PF_OutData*)) {
  Sim::Session session(nullptr, 64, 48);
  auto scope = session.beginCommand(PF_Cmd_PARAMS_SETUP);
  if (registerParams(scope->in_data(), scope->out_data())) std::abort();
  std::vector<Registered> out;
  Sim::Instance const& inst = session.instance();
  for (int i = 0; i < inst.numParams(); ++i) {
    Registered c{inst.definition(i), {}};
    if (c.def.param_type == PF_Param_POPUP) {
      std::string names = c.def.u.pd.namesptr;
      c.separator.push_back(false);
      std::size_t start = 0;
      for (;;) {
        const std::size_t bar = names.find('|', start);
        c.separator.push_back(names.compare(start, bar == std::string::npos ? std::string::npos : bar - start, "(-") == 0);
        if (bar == std::string::npos) break;
        start = bar + 1;
      }
      c.def.u.pd.namesptr = nullptr;
    }
    out.push_back(c);
  }
  return out;
}

std::vector<Registered> const* g_lines = nullptr;
std::vector<Registered> const* g_simplelines = nullptr;

PF_Fixed fixed(double v) { return PF_Fixed(v * 65536.0); }

// The value a control may hold at a render, as the host hands it over.
PF_ParamDef valueOf(Registered const& c, FuzzInput& in, int width, int height, double ds) {
  PF_ParamDef d = c.def;
  PF_ParamDefUnion& u = d.u;
  switch (d.param_type) {
    case PF_Param_SLIDER:
      u.sd.value = A_long(in.integer(std::int64_t(u.sd.valid_min), std::int64_t(u.sd.valid_max)));
      break;
    case PF_Param_FIX_SLIDER:
      u.fd.value = PF_Fixed(in.integer(std::int64_t(u.fd.valid_min), std::int64_t(u.fd.valid_max)));
      break;
    case PF_Param_FLOAT_SLIDER:
      u.fs_d.value = in.real(double(u.fs_d.valid_min), double(u.fs_d.valid_max));
      break;
    case PF_Param_ANGLE:
      u.ad.value = fixed(in.real(-3600, 3600));
      break;
    case PF_Param_POPUP: {
      // A separator line is no choice: the entry above it.
      int e = in.integer(1, int(u.pd.num_choices));
      while (e > 1 && e < int(c.separator.size()) && c.separator[std::size_t(e)]) --e;
      u.pd.value = e;
      break;
    }
    case PF_Param_CHECKBOX:
      u.bd.value = in.flag();
      break;
    case PF_Param_COLOR:
      u.cd.value = PF_Pixel{255, in.byte(), in.byte(), in.byte()};
      break;
    case PF_Param_POINT:
      u.td.x_value = fixed(in.real(-2.0 * width, 3.0 * width) * ds);
      u.td.y_value = fixed(in.real(-2.0 * height, 3.0 * height) * ds);
      break;
    default:
      break;
  }
  return d;
}

// Byte for byte: a NaN equals itself here.
void expectSame(const char* effect, Sim::Image const& a, Sim::Image const& b, int threads, double ds) {
  const std::size_t px = Sim::pixelSize(a.depth());
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const std::size_t at = (std::size_t(y) * std::size_t(a.width()) + std::size_t(x)) * px;
      if (std::memcmp(a.bytes() + at, b.bytes() + at, px) == 0) continue;
      std::fprintf(stderr, "%s, %d x %d at %s, downsample %g, %d threads: pixel %d,%d differs between bands and one thread\n",
                   effect, a.width(), a.height(), Sim::depthName(a.depth()), ds, threads, x, y);
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_lines = new std::vector<Registered>(registered(LinesParams::registerParams));
  g_simplelines = new std::vector<Registered>(registered(SimpleLinesParams::registerParams));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool lines = in.flag();
  const Sim::Depth depth = in.integer(0, 2) == 0 ? Sim::Depth::Bits8 : in.flag() ? Sim::Depth::Bits16 : Sim::Depth::Bits32;
  const int width = in.integer(1, 48), height = in.integer(1, 48);
  const double ds = 1.0 / in.integer(1, 4);
  const int threads = in.integer(2, 8);
  const Sim::Image source = test::randomImage(width, height, depth, in.integer(0, 255), in.flag() ? 0.0f : 1.0f);

  std::vector<Registered> const& controls = lines ? *g_lines : *g_simplelines;
  std::vector<PF_ParamDef> values;
  for (Registered const& c : controls) values.push_back(valueOf(c, in, width, height, ds));

  if (lines) {
    LinesControlValues v;
    for (std::size_t i = 0; i < values.size(); ++i) v[PF_ParamIndex(i)] = values[i];
    LinesPreRenderRecord record;
    fillLinesPreRenderRecord(v, ds, record);
    const Lines::Parameter p = makeLinesParameter(record, Vector<double>(0.0, 0.0));
    // The render path draws nothing narrower.
    if (p.total_width() < Lines::kMinTotalWidth) return 0;
    // One host at a time: the banded frame first, then the whole one.
    Sim::Image out, comp;
    {
      test::Scene banded(source);
      threaded::renderLinesFrame(banded.source, banded.composite, banded.output, threads, banded.in(), p);
      out = banded.outputImage();
      comp = banded.compositeImage();
    }
    test::Scene whole(source);
    single::renderLinesFrame(whole.source, whole.composite, whole.output, 1, whole.in(), p);
    expectSame("Lines output", out, whole.outputImage(), threads, ds);
    expectSame("Lines composite", comp, whole.compositeImage(), threads, ds);
  } else {
    const SimpleLinesRecord record = makeSimpleLinesRecord(values.data(), ds);
    const SimpleLines::Parameter p = makeSimpleLinesParameter(record, Vector<double>(0.0, 0.0));
    Sim::Image out;
    PF_Err a;
    {
      test::Scene banded(source);
      banded.setOutput(source);
      a = threaded::renderSimpleLinesFrame(banded.output, threads, p);
      out = banded.outputImage();
    }
    test::Scene whole(source);
    whole.setOutput(source);
    const PF_Err b = single::renderSimpleLinesFrame(whole.output, 1, p);
    if (a != b) {
      std::fprintf(stderr, "SimpleLines: error %d in bands, %d on one thread\n", int(a), int(b));
      std::abort();
    }
    expectSame("SimpleLines", out, whole.outputImage(), threads, ds);
  }
  return 0;
}
