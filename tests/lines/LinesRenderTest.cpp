// The Lines render path end to end: the module loaded by the simulated host,
// driven through smart pre-render and smart render.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LinesRenderSupport.h"
#include "Lines/LinesParams.h"
#include "Lines/LinesPreRenderRecord.h"

namespace {

using namespace Brelo;
using namespace Brelo::Sim;
using namespace Brelo::LinesParams;
using BreloTest::newSession;
using BreloTest::singleThreadedModule;
using BreloTest::threadedModule;

constexpr PF_Err kInjected = PF_Err_INVALID_CALLBACK;  // an error the plug-in never makes itself

// What the plug-in holds of the host between commands, its global data aside.
Outstanding held(Session& s) {
  Outstanding o = s.host().outstanding();
  PF_Handle const global = s.instance().globalData();
  if (global && s.host().isLiveHandle(global) && o.handles > 0) {
    --o.handles;
    std::vector<std::string> rest;
    bool skipped = false;
    for (auto const& d : o.details) {
      if (!skipped && d.find("(4 bytes)") != std::string::npos) {
        skipped = true;
        continue;
      }
      rest.push_back(d);
    }
    o.details = rest;
  }
  return o;
}

void expectClean(Session& s, RenderResult const& r) {
  EXPECT_TRUE(held(s).none()) << held(s).describe();
  std::string all;
  for (auto const& m : s.host().misuses()) all += m + "\n";
  EXPECT_TRUE(all.empty()) << all;
  EXPECT_TRUE(r.inputUntouched);
  EXPECT_TRUE(r.paddingIntact);
}

// Something of every channel on screen.
void busySettings(Session& s) {
  s.setValue(kTotalWidth, 64);
  s.setValue(kMaxWidth1, 6);
  s.setValue(kMinWidth, 40);
  s.setValue(kMaxGap1, 2);
  s.setValue(kDirection, 60);
  s.setValue(kMaxSlice, 9);
  s.setValue(kMaxRGBSeparation, 4);
  s.setValue(kColorCorrectionType, 3);
  s.setValue(kMaxColorHVariance, 40);
  s.setValue(kCompositeOpacity, 60);
  s.setValue(kBlendingMode, 5);  // Screen
  s.setValue(kWipeCompletion, 30);
}

// Runs smart pre-render by hand and reads back the record it left with the host,
// then lets the host delete it through the plug-in's routine.
PF_Err preRender(Session& s, Module& m, Downsample ds, LinesPreRenderRecord* record, PF_PreRenderOutput* out = nullptr) {
  PF_Err err;
  PF_Handle handle = nullptr;
  PF_DeletePreRenderDataFunc deleter = nullptr;
  {
    auto scope = s.beginCommand(PF_Cmd_SMART_PRE_RENDER, 0, Depth::Bits8, ds);
    err = m.entry()(PF_Cmd_SMART_PRE_RENDER, scope->in_data(), scope->out_data(), scope->params(), nullptr,
                    scope->preRenderExtra());
    PF_PreRenderOutput* o = scope->preRenderExtra()->output;
    if (out) *out = *o;
    handle = static_cast<PF_Handle>(o->pre_render_data);
    deleter = o->delete_pre_render_data_func;
  }
  if (err) {
    EXPECT_EQ(handle, nullptr) << "a failed pre-render hands the host no data";
    return err;
  }
  EXPECT_TRUE(handle && deleter);
  if (!handle || !deleter) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  EXPECT_EQ(s.host().handleLockCount(handle), 0) << "pre-render leaves its data unlocked";
  const void* suite = nullptr;
  s.host().basicSuite()->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion2, &suite);
  auto const* handles = static_cast<const PF_HandleSuite2*>(suite);
  EXPECT_GE(handles->host_get_handle_size(handle), sizeof *record);
  std::memcpy(static_cast<void*>(record), handles->host_lock_handle(handle), sizeof *record);
  handles->host_unlock_handle(handle);
  s.host().basicSuite()->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion2);
  deleter(handle);
  EXPECT_FALSE(s.host().isLiveHandle(handle)) << "the deletion routine disposes of the handle";
  return PF_Err_NONE;
}

TEST(LinesPreRender, RecordThroughTheModule) {
  auto s = newSession(threadedModule());
  s->setValue(kTotalWidth, 300);
  s->setValue(kMaxWidth1, 40);
  s->setValue(kMaxWidth2, 24);
  s->setValue(kMaxWidth3, 10);
  s->setValue(kMaxGap1, 6);
  s->setValue(kMaxGap2, 5);
  s->setValue(kMaxGap3, 3);
  s->setValue(kMaxSlice, -20);
  s->setValue(kMaxRGBSeparation, 10);
  s->setPoint(kCenter, 33, 21);
  s->setColor(kRGBColor1, PF_Pixel{255, 10, 20, 30});
  s->setColor(kRGBColor2, PF_Pixel{255, 40, 50, 60});
  s->setColor(kRGBColor3, PF_Pixel{255, 70, 80, 90});
  s->setColor(kCompositeColor1, PF_Pixel{0, 255, 0, 0});
  s->setColor(kCompositeColor2, PF_Pixel{17, 0, 255, 0});
  s->setColor(kCompositeColor3, PF_Pixel{128, 0, 0, 255});
  s->setValue(kCompositeOpacity, 25);

  LinesPreRenderRecord full, half;
  PF_PreRenderOutput out{};
  ASSERT_EQ(preRender(*s, threadedModule(), Downsample(), &full, &out), PF_Err_NONE);
  EXPECT_TRUE(held(*s).none()) << held(*s).describe();
  ASSERT_EQ(preRender(*s, threadedModule(), Downsample(1, 2), &half), PF_Err_NONE);

  EXPECT_EQ(full.total_width, 300.0);
  EXPECT_EQ(full.width_max1, 40.0);
  EXPECT_EQ(full.slice_max, -20.0);
  EXPECT_EQ(full.composite_opacity, 0.25);
  // Half resolution halves every length...
  EXPECT_EQ(half.total_width, 150.0);
  EXPECT_EQ(half.width_max1, 20.0);
  EXPECT_EQ(half.width_max2, 12.0);
  EXPECT_EQ(half.width_max3, 5.0);
  EXPECT_EQ(half.gap_max1, 3.0);
  EXPECT_EQ(half.gap_max2, 2.5);
  EXPECT_EQ(half.gap_max3, 1.5);
  EXPECT_EQ(half.slice_max, -10.0);
  EXPECT_EQ(half.rgb_max, 5.0);
  // ...while the centre is taken as the host hands it over (already scaled).
  EXPECT_EQ(full.center.x, 33.0);
  EXPECT_EQ(full.center.y, 21.0);
  EXPECT_EQ(half.center.x, 16.5);
  EXPECT_EQ(half.center.y, 10.5);

  // "RGB Color 3" is the engine's second colour, "RGB Color 2" its third.
  EXPECT_EQ(full.rgb_color1.red, 10.0f / 255.0f);
  EXPECT_EQ(full.rgb_color2.red, 70.0f / 255.0f);
  EXPECT_EQ(full.rgb_color2.blue, 90.0f / 255.0f);
  EXPECT_EQ(full.rgb_color3.red, 40.0f / 255.0f);
  // Composite colours are opaque whatever the control's alpha.
  EXPECT_EQ(full.composite_color1.alpha, 1.0f);
  EXPECT_EQ(full.composite_color1.red, 1.0f);
  EXPECT_EQ(full.composite_color2.alpha, 1.0f);
  EXPECT_EQ(full.composite_color2.green, 1.0f);
  EXPECT_EQ(full.composite_color3.alpha, 1.0f);
  EXPECT_EQ(full.composite_color3.blue, 1.0f);

  // The whole layer is asked for and claimed, with nothing added around it.
  EXPECT_TRUE(out.flags & PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS);
  EXPECT_EQ(out.result_rect.left, 0);
  EXPECT_EQ(out.result_rect.top, 0);
  EXPECT_EQ(out.result_rect.right, BreloTest::kLayerWidth);
  EXPECT_EQ(out.result_rect.bottom, BreloTest::kLayerHeight);
  EXPECT_EQ(std::memcmp(&out.max_result_rect, &out.result_rect, sizeof out.result_rect), 0);
}

TEST(LinesPreRender, ChecksOutEachControlOnceInOrderAndChecksItInAgain) {
  // Declared before the session, whose last commands still call the hook.
  std::vector<int> reads;
  std::vector<std::size_t> heldWhileReading;
  auto s = newSession(threadedModule());
  for (int i = 1; i < kCount; ++i) {
    PF_ParamType const t = s->instance().definition(i).param_type;
    if (t != PF_Param_GROUP_START && t != PF_Param_GROUP_END) s->instance().setExpression(i, "value");
  }
  s->instance().setExpressionHook([&](Instance& inst, int index, std::string const&, double, PF_ParamDef&) {
    reads.push_back(index);
    heldWhileReading.push_back(inst.host().outstanding().params);
  });
  auto scope = s->beginCommand(PF_Cmd_SMART_PRE_RENDER);
  reads.clear();  // the host's own parameter array
  heldWhileReading.clear();
  PF_Err const err = threadedModule().entry()(PF_Cmd_SMART_PRE_RENDER, scope->in_data(), scope->out_data(),
                                              scope->params(), nullptr, scope->preRenderExtra());
  EXPECT_EQ(err, PF_Err_NONE);
  std::vector<int> expected;
  auto range = [&expected](int first, int last) {
    for (int i = first; i <= last; ++i) expected.push_back(i);
  };
  range(1, 20);
  for (int i : {29, 30, 27, 28}) expected.push_back(i);
  range(22, 26);
  range(31, 35);
  for (int i : {47, 48, 45, 46, 38, 39, 41, 43, 42, 44}) expected.push_back(i);
  range(49, 53);
  for (int i : {71, 72, 69, 70}) expected.push_back(i);
  range(56, 68);
  range(73, 77);
  for (int i : {94, 95, 92, 93}) expected.push_back(i);
  range(80, 91);
  range(96, 100);
  for (int i : {107, 108, 105, 106, 103, 104}) expected.push_back(i);
  range(109, 113);
  EXPECT_EQ(reads, expected);
  EXPECT_EQ(heldWhileReading, std::vector<std::size_t>(expected.size(), 0)) << "one control out at a time";
  EXPECT_EQ(s->host().outstanding().params, 0u);
  auto* data = static_cast<PF_Handle>(scope->preRenderExtra()->output->pre_render_data);
  scope->preRenderExtra()->output->delete_pre_render_data_func(data);
}

TEST(LinesPreRender, EveryFailureIsReturnedAndLeavesNothingBehind) {
  auto s = newSession(threadedModule());
  LinesPreRenderRecord record;
  struct Case {
    Call call;
    std::uint64_t count;
    PF_Err expected;
  };
  Case const cases[] = {{Call::CheckoutParam, 105, kInjected},
                        {Call::CheckinParam, 105, kInjected},
                        {Call::CheckoutLayer, 1, kInjected},
                        {Call::HostNewHandle, 1, PF_Err_OUT_OF_MEMORY},
                        {Call::HostLockHandle, 1, PF_Err_OUT_OF_MEMORY},
                        {Call::AcquireSuite, 1, PF_Err_BAD_CALLBACK_PARAM}};
  for (Case const& c : cases) {
    s->host().resetCallCounts();
    ASSERT_EQ(preRender(*s, threadedModule(), Downsample(), &record), PF_Err_NONE);
    // The helper reading the record back makes calls of its own after these.
    EXPECT_GE(s->host().callCount(c.call), c.count) << callName(c.call);
    for (std::uint64_t n = 1; n <= c.count; ++n) {
      SCOPED_TRACE(std::string(callName(c.call)) + " #" + std::to_string(n));
      std::size_t const paramsBefore = held(*s).params;
      s->host().resetCallCounts();
      s->host().failCall(c.call, n, kInjected);
      PF_Err const err = preRender(*s, threadedModule(), Downsample(), &record);
      s->host().clearFaults();
      EXPECT_EQ(err, c.expected);
      // The control whose check-in the host refused stays on the host's books.
      Outstanding const o = held(*s);
      EXPECT_EQ(o.params - paramsBefore, c.call == Call::CheckinParam ? 1u : 0u);
      EXPECT_EQ(o.handles + o.suites + o.worlds, 0u) << o.describe();
      if (c.call == Call::CheckoutParam) {
        EXPECT_EQ(s->host().callCount(Call::CheckoutParam), n) << "stops at once";
      }
    }
  }
  s->host().withholdSuite(kPFHandleSuite, kPFHandleSuiteVersion2);
  EXPECT_EQ(preRender(*s, threadedModule(), Downsample(), &record), PF_Err_BAD_CALLBACK_PARAM);
  s->host().restoreSuite(kPFHandleSuite, kPFHandleSuiteVersion2);
  EXPECT_EQ(s->host().callCount(Call::CheckoutParam), 0u);
  EXPECT_EQ(held(*s).handles + held(*s).suites, 0u) << held(*s).describe();
}

TEST(LinesPreRender, AsksForTheWholeInputKeepingColourUnderZeroAlpha) {
  auto s = newSession(threadedModule());
  s->setRenderRequest(PF_LRect{10, 5, 20, 9});
  s->instance().setTimeScale(24, 2);
  RenderResult const r = s->render(6, Depth::Bits8, Downsample(1, 2));
  ASSERT_EQ(r.err, PF_Err_NONE);
  ASSERT_EQ(r.layerRequests.size(), 1u);
  LayerRequest const& q = r.layerRequests[0];
  EXPECT_EQ(q.index, 0);
  EXPECT_EQ(q.checkout_id, 0);
  EXPECT_EQ(q.request.rect.left, 0);
  EXPECT_EQ(q.request.rect.top, 0);
  EXPECT_EQ(q.request.rect.right, BreloTest::kLayerWidth / 2);
  EXPECT_EQ(q.request.rect.bottom, BreloTest::kLayerHeight / 2);
  EXPECT_EQ(q.request.preserve_rgb_of_zero_alpha, 1);
  EXPECT_EQ(q.what_time, 6);
  EXPECT_EQ(q.time_step, 2);
  EXPECT_EQ(q.time_scale, 24u);
  // The output covers the whole (downsampled) layer, not the small request.
  EXPECT_EQ(r.image.width(), BreloTest::kLayerWidth / 2);
  EXPECT_EQ(r.image.height(), BreloTest::kLayerHeight / 2);
  expectClean(*s, r);
}

TEST(LinesRender, TotalWidthZeroGivesTransparencyOrTheInput) {
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->setValue(kTotalWidth, 0);
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
      SCOPED_TRACE(depthName(depth));
      s->setValue(kOriginal, 0);
      s->host().resetCallCounts();
      RenderResult r = s->render(0, depth, ds);
      ASSERT_EQ(r.err, PF_Err_NONE);
      Image const transparent(r.image.width(), r.image.height(), depth);
      EXPECT_EQ(r.image, transparent);
      EXPECT_EQ(s->host().callCount(Call::TransferRect), 0u);
      expectClean(*s, r);

      s->setValue(kOriginal, 1);
      r = s->render(0, depth, ds);
      ASSERT_EQ(r.err, PF_Err_NONE);
      EXPECT_EQ(r.image, s->instance().layerAt(ds, depth));
      EXPECT_EQ(s->host().callCount(Call::TransferRect), 0u);
      expectClean(*s, r);
    }
  }
}

TEST(LinesRender, CompositeBlendOnlyWhenItCanShow) {
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->host().resetCallCounts();
  RenderResult r = s->render(0, Depth::Bits8);
  ASSERT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(s->host().callCount(Call::TransferRect), 1u);
  Image const blended = r.image;
  expectClean(*s, r);

  for (int control : {int(kCompletion), int(kCompositeCompletion), int(kCompositeOpacity)}) {
    SCOPED_TRACE(control);
    busySettings(*s);
    s->setValue(kCompletion, 100);
    s->setValue(kCompositeCompletion, 100);
    s->setValue(control, 0);
    s->host().resetCallCounts();
    // A failing transfer would surface if it were called at all.
    s->host().failCallsFrom(Call::TransferRect, 1, kInjected);
    r = s->render(0, Depth::Bits8);
    s->host().clearFaults();
    EXPECT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(s->host().callCount(Call::TransferRect), 0u);
    expectClean(*s, r);
  }
  // Composite opacity alone changes only the blend: without it the colours do not show.
  busySettings(*s);
  s->setValue(kCompositeOpacity, 0);
  r = s->render(0, Depth::Bits8);
  EXPECT_NE(r.image, blended);
}

TEST(LinesRender, SameBytesInBothBuildsAtEveryThreadCountDepthAndDownsample) {
  std::vector<Image> reference;
  {
    auto s = newSession(singleThreadedModule());
    busySettings(*s);
    for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32})
      for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
        RenderResult const r = s->render(0, depth, ds);
        ASSERT_EQ(r.err, PF_Err_NONE);
        expectClean(*s, r);
        reference.push_back(r.image);
      }
  }
  auto s = newSession(threadedModule());
  busySettings(*s);
  for (int threads : {1, 2, 3, 8}) {
    s->host().setNumThreads(threads);
    std::size_t i = 0;
    for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32})
      for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
        SCOPED_TRACE(std::to_string(threads) + " threads, " + depthName(depth) + ", downsample 1/" +
                     std::to_string(ds.x.den));
        RenderResult const r = s->render(0, depth, ds);
        ASSERT_EQ(r.err, PF_Err_NONE);
        EXPECT_EQ(r.image, reference[i++]);
        expectClean(*s, r);
      }
  }
}

TEST(LinesRender, HalfResolutionMatchesTheStripsOfAFullRender) {
  // Lengths scale with the downsample: the half render of a pattern with even
  // sizes puts its strip edges where the full render has them, halved.
  auto s = newSession(threadedModule());
  s->setValue(kDirection, 90);
  s->setValue(kTotalWidth, 64);
  s->setValue(kMaxWidth1, 8);
  s->setValue(kMaxGap1, 8);
  s->setValue(kMinGap, 100);
  s->setValue(kCompositeOpacity, 100);
  s->setValue(kBlendingMode, 1);
  RenderResult const full = s->render(0, Depth::Bits8);
  RenderResult const half = s->render(0, Depth::Bits8, Downsample(1, 2));
  ASSERT_EQ(full.err, PF_Err_NONE);
  ASSERT_EQ(half.err, PF_Err_NONE);
  int matches = 0, compared = 0;
  for (int y = 0; y < half.image.height(); ++y)
    for (int x = 0; x < half.image.width(); ++x) {
      PF_Pixel const& h = half.image.px8(x, y);
      PF_Pixel const& f = full.image.px8(2 * x, 2 * y);
      ++compared;
      matches += (h.alpha == 0) == (f.alpha == 0);
    }
  // Every strip and gap lines up; only pixels on an anti-aliased edge may differ.
  EXPECT_GE(matches, compared * 9 / 10);
}

// Every host call the render makes, failing in turn.
TEST(LinesRender, EveryHostCallFailingInTurnIsReturnedWithNothingLeaked) {
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->host().setNumThreads(2);
  s->host().resetCallCounts();
  RenderResult const clean = s->render(0, Depth::Bits16);
  ASSERT_EQ(clean.err, PF_Err_NONE);
  std::vector<std::pair<Call, std::uint64_t>> counts;
  for (std::size_t c = 0; c < kCallCount; ++c) counts.emplace_back(Call(c), s->host().callCount(Call(c)));

  int tried = 0;
  for (auto const& [call, count] : counts) {
    // Calls that return nothing cannot report a failure; a failed release is the host's own leak.
    if (call == Call::ReleaseSuite || call == Call::HostUnlockHandle || call == Call::HostDisposeHandle ||
        call == Call::DisposeWorld || call == Call::PFDisposeWorld || call == Call::CheckinLayerPixels)
      continue;
    for (std::uint64_t n = 1; n <= count; ++n) {
      SCOPED_TRACE(std::string(callName(call)) + " #" + std::to_string(n));
      s->host().clearMisuses();
      s->host().resetCallCounts();
      s->host().failCall(call, n, kInjected);
      RenderResult const r = s->render(0, Depth::Bits16);
      s->host().clearFaults();
      ++tried;
      PF_Err expected = kInjected;
      switch (call) {
        case Call::AcquireSuite: expected = PF_Err_BAD_CALLBACK_PARAM; break;
        case Call::HostNewHandle: expected = PF_Err_OUT_OF_MEMORY; break;
        // The first lock is pre-render's, the second render's.
        case Call::HostLockHandle: expected = n == 1 ? PF_Err_OUT_OF_MEMORY : PF_Err_BAD_CALLBACK_PARAM; break;
        default: break;
      }
      bool const sampling = call == Call::SubpixelSample || call == Call::SubpixelSample16 ||
                            call == Call::SubpixelSampleFloat || call == Call::NnSample ||
                            call == Call::NnSample16 || call == Call::NnSampleFloat;
      if (sampling) {
        EXPECT_NE(r.err, PF_Err_NONE);
      } else {
        EXPECT_EQ(r.err, expected);
      }
      Outstanding o = held(*s);
      // A check-in the host refused leaves that control with the host's books.
      if (call == Call::CheckinParam) {
        EXPECT_EQ(o.params, 1u);
        o.params = 0;
        o.details.clear();
      }
      EXPECT_TRUE(o.none()) << o.describe();
      EXPECT_TRUE(r.inputUntouched);
    }
  }
  EXPECT_GT(tried, 130);
}

TEST(LinesRender, EveryMissingSuiteEndsTheFrameWith516) {
  struct Suite {
    const char* name;
    std::int32_t version;
  };
  Suite const suites[] = {{kPFHandleSuite, kPFHandleSuiteVersion2},   {kPFWorldSuite, kPFWorldSuiteVersion1},
                          {kPFWorldSuite, kPFWorldSuiteVersion2},     {kPFFillMatteSuite, kPFFillMatteSuiteVersion2},
                          {kPFSampling8Suite, kPFSampling8SuiteVersion1}, {kPFSampling16Suite, kPFSampling16SuiteVersion1},
                          {kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1},
                          {kAEGPIterateSuite, kAEGPIterateSuiteVersion1}};
  auto s = newSession(threadedModule());
  busySettings(*s);
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    s->host().clearMisuses();
    RenderResult const clean = s->render(0, depth);
    ASSERT_EQ(clean.err, PF_Err_NONE);
    for (Suite const& suite : suites) {
      // Only the suites this frame uses.
      int const before = s->host().suiteAcquisitions(suite.name, suite.version);
      s->render(0, depth);
      if (s->host().suiteAcquisitions(suite.name, suite.version) == before) continue;
      SCOPED_TRACE(std::string(suite.name) + " " + std::to_string(suite.version) + " at " + depthName(depth));
      s->host().withholdSuite(suite.name, suite.version);
      RenderResult const r = s->render(0, depth);
      s->host().restoreSuite(suite.name, suite.version);
      EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
      EXPECT_TRUE(held(*s).none()) << held(*s).describe();
    }
  }
}

}  // namespace
