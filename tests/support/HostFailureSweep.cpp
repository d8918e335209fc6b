#include "HostFailureSweep.h"

#include <sstream>

#include "brelo_host/Session.h"

namespace BreloTest {

using namespace Brelo::Sim;

namespace {

// An error the plug-ins never make themselves.
constexpr PF_Err kInjected = PF_Err_INVALID_CALLBACK;

// Calls whose failure the effect cannot make good: what they should have
// given back stays with the host.
bool releases(Call c) {
  return c == Call::ReleaseSuite || c == Call::DisposeWorld || c == Call::PFDisposeWorld ||
         c == Call::HostDisposeHandle || c == Call::HostUnlockHandle || c == Call::CheckinParam ||
         c == Call::CheckinLayerPixels || c == Call::FreeBlock;
}

GoldenCase const* findCase(Effect effect, std::string const& name) {
  for (GoldenCase const& c : goldenCases(effect)) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

// What the session's effect holds of the host, its global data aside.
Outstanding heldBeyondGlobal(Session& s) {
  Outstanding o = s.host().outstanding();
  PF_Handle const global = s.instance().globalData();
  if (global && s.host().isLiveHandle(global) && o.handles > 0) --o.handles;
  o.details.clear();
  return o;
}

}  // namespace

bool isSamplingCall(Call c) {
  return c == Call::SubpixelSample || c == Call::SubpixelSample16 || c == Call::SubpixelSampleFloat ||
         c == Call::NnSample || c == Call::NnSample16 || c == Call::NnSampleFloat || c == Call::AreaSample ||
         c == Call::AreaSample16 || c == Call::AreaSampleFloat;
}

std::uint64_t nextFailure(Call c, std::uint64_t n, std::uint64_t count) {
  if (!isSamplingCall(c) || count <= 3) return n + 1;
  if (n == 1) return count / 2;
  if (n < count) return count;
  return count + 1;
}

bool sweepRenderFailures(Effect effect, PF_EntryPointFunc entry, std::string const& caseName, Depth depth,
                         std::vector<SweepTrial>* trials, std::string* why) {
  GoldenCase const* golden = findCase(effect, caseName);
  if (!golden) {
    *why = "no golden case " + caseName;
    return false;
  }
  auto fresh = [&](PF_Err* setupErr) {
    auto s = goldenSession(effect, entry, setupErr);
    golden->settings(*s);
    s->host().resetCallCounts();
    return s;
  };

  PF_Err setupErr = PF_Err_NONE;
  auto cleanSession = fresh(&setupErr);
  RenderResult const clean = cleanSession->render(0, depth);
  if (setupErr != PF_Err_NONE || clean.err != PF_Err_NONE) {
    *why = "the render without failures returned " + std::to_string(setupErr ? setupErr : clean.err);
    return false;
  }
  std::uint64_t counts[kCallCount];
  for (std::size_t c = 0; c < kCallCount; ++c) counts[c] = cleanSession->host().callCount(Call(c));
  cleanSession.reset();

  for (std::size_t c = 0; c < kCallCount; ++c) {
    Call const call = Call(c);
    for (std::uint64_t n = 1; n <= counts[c]; n = nextFailure(call, n, counts[c])) {
      auto s = fresh(&setupErr);
      if (setupErr != PF_Err_NONE) {
        *why = "set-up returned " + std::to_string(setupErr);
        return false;
      }
      s->host().failCall(call, n, kInjected);
      RenderResult const r = s->render(0, depth);
      s->host().clearFaults();
      trials->push_back({depth, call, n, counts[c], r.err, r.image == clean.image, heldBeyondGlobal(*s),
                         s->host().misuses().size(), r.inputUntouched, r.paddingIntact});
    }
  }
  return true;
}

std::string describe(SweepTrial const& t) {
  Outstanding const& o = t.held;
  std::ostringstream os;
  os << depthName(t.depth) << " " << callName(t.call) << " #" << t.nth << ": err " << t.err
     << (t.sameImage ? ", same frame" : ", other frame") << ", held " << o.handles << " handles " << o.worlds
     << " worlds " << o.suites << " suites " << o.params << " params " << o.layerPixels << " layer pixels "
     << o.effects + o.streams << " AEGP references " << o.blocks << " blocks, " << t.misuses << " misuses"
     << (t.inputUntouched ? "" : ", input written") << (t.paddingIntact ? "" : ", padding damaged");
  return os.str();
}

std::vector<std::string> problems(SweepTrial const& t) {
  std::vector<std::string> out;
  if (!t.inputUntouched) out.push_back("the input layer was written");
  if (!t.paddingIntact) out.push_back("a world's padding was damaged");
  if (t.misuses) out.push_back("the host caught misuses");
  // A sample that failed reaches no result: the engines do not look at it.
  if (t.err == PF_Err_NONE && !t.sameImage && !isSamplingCall(t.call)) {
    out.push_back("the failure was not reported, and the frame differs");
  }
  // The host deletes the pre-render record after the frame, through the
  // effect's deleter, which needs the handle suite: refused, the record
  // stays with the host like anything else whose release was refused.
  const bool deleterRefused = t.call == Call::AcquireSuite && t.nth == t.count && t.err == PF_Err_NONE;
  if (!releases(t.call) && !deleterRefused) {
    Outstanding const& o = t.held;
    if (o.handles || o.worlds || o.suites || o.params || o.layerPixels || o.effects || o.streams || o.blocks) {
      out.push_back("something was left behind");
    }
  }
  return out;
}

}  // namespace BreloTest
