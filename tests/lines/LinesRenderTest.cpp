// The Lines render path end to end: the module loaded by the simulated host,
// driven through smart pre-render and smart render.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "LinesRenderSupport.h"
#include "Lines/LinesParams.h"
#include "Brelo/BreloColorsys.h"
#include "Lines/LinesRecord.h"
#include "Util/PreRenderHandle.h"
#include "Util/AEGP_SuiteHandler.h"

namespace {

using namespace Brelo;
using namespace Brelo::Sim;
using namespace Brelo::LinesParams;
// The shared render helpers (LinesRenderSupport.h).
using namespace BreloTest;

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
  {
    // Read back the way smart render reads it.
    AEGP_SuiteHandler suites(s.host().basicSuite());
    PF_SmartRenderInput input{};
    input.pre_render_data = handle;
    PF_SmartRenderExtra extra{&input, nullptr};
    LockedPreRenderData data(&extra, suites);
    EXPECT_NE(data.record(), nullptr);
    if (!data.record()) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    std::memcpy(static_cast<void*>(record), data.record(), sizeof *record);
  }
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

  EXPECT_EQ(full.parameter.total_width(), 300.0);
  EXPECT_EQ(full.parameter.width_max1(), 40.0);
  EXPECT_EQ(full.parameter.slice_max(), -20.0);
  EXPECT_EQ(full.parameter.composite_opacity(), 0.25);
  // Half resolution halves every length...
  EXPECT_EQ(half.parameter.total_width(), 150.0);
  EXPECT_EQ(half.parameter.width_max1(), 20.0);
  EXPECT_EQ(half.parameter.width_max2(), 12.0);
  EXPECT_EQ(half.parameter.width_max3(), 5.0);
  EXPECT_EQ(half.parameter.gap_max1(), 3.0);
  EXPECT_EQ(half.parameter.gap_max2(), 2.5);
  EXPECT_EQ(half.parameter.gap_max3(), 1.5);
  EXPECT_EQ(half.parameter.slice_max(), -10.0);
  EXPECT_EQ(half.parameter.rgb_max(), 5.0);
  // ...while the centre is taken as the host hands it over (already scaled).
  EXPECT_EQ(full.parameter.center().x, 33.0);
  EXPECT_EQ(full.parameter.center().y, 21.0);
  EXPECT_EQ(half.parameter.center().x, 16.5);
  EXPECT_EQ(half.parameter.center().y, 10.5);

  // "RGB Color 3" is the engine's second colour, "RGB Color 2" its third.
  // The engine normalises the three together.
  ColorFloat<float> rgb1(PF_Pixel{255, 10, 20, 30}), rgb2(PF_Pixel{255, 70, 80, 90}), rgb3(PF_Pixel{255, 40, 50, 60});
  Colorsys::Normalize(rgb1, rgb2, rgb3);
  EXPECT_EQ(full.parameter.rgb_color1().red, rgb1.red);
  EXPECT_EQ(full.parameter.rgb_color2().red, rgb2.red);
  EXPECT_EQ(full.parameter.rgb_color2().blue, rgb2.blue);
  EXPECT_EQ(full.parameter.rgb_color3().red, rgb3.red);
  // Composite colours are opaque whatever the control's alpha.
  EXPECT_EQ(full.parameter.composite_color1().alpha, 1.0f);
  EXPECT_EQ(full.parameter.composite_color1().red, 1.0f);
  EXPECT_EQ(full.parameter.composite_color2().alpha, 1.0f);
  EXPECT_EQ(full.parameter.composite_color2().green, 1.0f);
  EXPECT_EQ(full.parameter.composite_color3().alpha, 1.0f);
  EXPECT_EQ(full.parameter.composite_color3().blue, 1.0f);

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
  s->host().resetCallCounts();
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
  EXPECT_EQ(s->host().callCount(Call::CheckoutParam), expected.size()) << "nothing else, the layer neither";
  EXPECT_EQ(s->host().callCount(Call::CheckinParam), expected.size());
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
  Case const cases[] = {{Call::CheckoutParam, 103, kInjected},
                        {Call::CheckinParam, 103, kInjected},
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
  // Without strips the frame is the input: what is asked for shows plainly.
  s->setValue(kTotalWidth, 0);
  s->setValue(kOriginal, 1);
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

// Widths the engine does not draw (below a tenth of a pixel) show what a
// width of 0 shows: every output pixel is written, none keeps what the host's
// buffer held.
TEST(LinesRender, TotalWidthZeroGivesTransparencyOrTheInput) {
  auto s = newSession(threadedModule());
  busySettings(*s);
  for (double width : {0.0, 0.000001, 0.05, 0.0999})
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
      SCOPED_TRACE(::testing::Message() << depthName(depth) << ", Total Width " << width);
      s->setValue(kTotalWidth, width);
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

TEST(LinesRender, WithoutItsPreRenderDataTheFrameFails) {
  auto s = newSession(threadedModule());
  auto scope = s->beginSmartRender(0, Depth::Bits8);
  PF_Err const err = threadedModule().entry()(PF_Cmd_SMART_RENDER, scope->in_data(), scope->out_data(),
                                              scope->params(), nullptr, scope->smartExtra());
  EXPECT_EQ(err, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(held(*s).suites, 0u);
}

// The frame without strips, each host call it makes failing in turn.
TEST(LinesRender, TotalWidthZeroReturnsEveryHostFailure) {
  auto s = newSession(threadedModule());
  s->setValue(kTotalWidth, 0);
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    for (int original : {0, 1}) {
      s->setValue(kOriginal, original);
      s->host().resetCallCounts();
      RenderResult const clean = s->render(0, depth);
      ASSERT_EQ(clean.err, PF_Err_NONE);
      std::vector<std::pair<Call, std::uint64_t>> counts;
      for (std::size_t c = 0; c < kCallCount; ++c) counts.emplace_back(Call(c), s->host().callCount(Call(c)));
      for (auto const& [call, count] : counts) {
        // Calls that cannot report a failure; suites are withheld below instead, as a
        // host that lacks one lacks it for the whole frame.
        if (call == Call::ReleaseSuite || call == Call::HostUnlockHandle || call == Call::HostDisposeHandle ||
            call == Call::DisposeWorld || call == Call::PFDisposeWorld || call == Call::CheckinParam ||
            call == Call::AcquireSuite)
          continue;
        for (std::uint64_t n = 1; n <= count; ++n) {
          SCOPED_TRACE(std::string(depthName(depth)) + (original ? ", original, " : ", ") + callName(call) + " #" +
                       std::to_string(n));
          s->host().resetCallCounts();
          s->host().failCall(call, n, kInjected);
          RenderResult const r = s->render(0, depth);
          s->host().clearFaults();
          PF_Err expected = kInjected;
          if (call == Call::HostNewHandle) expected = PF_Err_OUT_OF_MEMORY;
          if (call == Call::HostLockHandle) expected = n == 1 ? PF_Err_OUT_OF_MEMORY : PF_Err_BAD_CALLBACK_PARAM;
          EXPECT_EQ(r.err, expected);
          EXPECT_TRUE(held(*s).none()) << held(*s).describe();
        }
      }
      for (auto const& [name, version] : {std::make_pair(kPFHandleSuite, kPFHandleSuiteVersion2),
                                          std::make_pair(kPFWorldSuite, kPFWorldSuiteVersion1),
                                          std::make_pair(kPFWorldSuite, kPFWorldSuiteVersion2),
                                          std::make_pair(kPFFillMatteSuite, kPFFillMatteSuiteVersion2)}) {
        // Only the suites this frame uses: float worlds come from the second World
        // Suite, and a copy of the input fills nothing.
        bool const world1 = std::string(name) == kPFWorldSuite && version == kPFWorldSuiteVersion1;
        if (depth == Depth::Bits32 && world1) continue;
        if (original && std::string(name) == kPFFillMatteSuite) continue;
        SCOPED_TRACE(std::string(depthName(depth)) + (original ? ", original, " : ", ") + name + " withheld");
        s->host().withholdSuite(name, version);
        RenderResult const r = s->render(0, depth);
        s->host().restoreSuite(name, version);
        EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
        EXPECT_TRUE(held(*s).none()) << held(*s).describe();
      }
    }
  }
}

}  // namespace
