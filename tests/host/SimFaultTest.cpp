// Fault injection: every call the host offers can be made to fail by call
// number, and suites can be withheld.
#include <functional>
#include <map>

#include "SimTestPlugin.h"
#include "SimTestUtil.h"

using namespace Brelo::Sim;
using SimTest::Suite;

namespace {

constexpr PF_Err kInjected = 77;

// The error of `make`, what it made undone; or, `ofUndo`, that of `undo`
// after `make`, undone again when it fails, so that nothing is left behind.
PF_Err madeAndUndone(bool ofUndo, std::function<PF_Err()> const& make, std::function<PF_Err()> const& undo) {
  if (!ofUndo) {
    PF_Err e = make();
    if (!e) undo();
    return e;
  }
  make();
  PF_Err e = undo();
  if (e) undo();
  return e;
}

// Makes one call of each kind and returns its error; pointer results map
// null to kInjected, calls without a result report kInjected when they had
// no effect.
struct Probes {
  Session s{EntryPointFunc, 8, 6};
  PF_ProgPtr ref() { return s.instance().ref(); }
  std::map<Call, std::function<PF_Err()>> run;

  Probes() {
    EXPECT_EQ(s.setup().err, 0);
    SPBasicSuite* b = s.host().basicSuite();
    auto suite = [b](bool ofRelease) {
      const void* t;
      return madeAndUndone(
          ofRelease, [&] { return PF_Err(b->AcquireSuite(kPFWorldSuite, 1, &t)); },
          [&] { return PF_Err(b->ReleaseSuite(kPFWorldSuite, 1)); });
    };
    run[Call::AcquireSuite] = [suite] { return suite(false); };
    run[Call::ReleaseSuite] = [suite] { return suite(true); };
    auto block = [b](bool ofFree) {
      void* p;
      return madeAndUndone(
          ofFree, [&] { return PF_Err(b->AllocateBlock(4, &p)); }, [&] { return PF_Err(b->FreeBlock(p)); });
    };
    run[Call::AllocateBlock] = [block] { return block(false); };
    run[Call::FreeBlock] = [block] { return block(true); };
    run[Call::ReallocateBlock] = [b] {
      void* p;
      b->AllocateBlock(4, &p);
      void* q = nullptr;
      SPErr e = b->ReallocateBlock(p, 8, &q);
      b->FreeBlock(e ? p : q);
      return PF_Err(e);
    };
    run[Call::AddParam] = [this] {
      auto sc = s.beginCommand(PF_Cmd_PARAMS_SETUP);
      PF_ParamDef d{};
      d.param_type = PF_Param_SLIDER;
      return sc->in_data()->inter.add_param(ref(), -1, &d);
    };
    auto param = [this](bool ofCheckin) {
      auto sc = s.beginCommand(PF_Cmd_UPDATE_PARAMS_UI);
      PF_InteractCallbacks& inter = sc->in_data()->inter;
      PF_ParamDef p;
      return madeAndUndone(
          ofCheckin, [&] { return inter.checkout_param(ref(), 1, 0, 1, 30, &p); },
          [&] { return inter.checkin_param(ref(), &p); });
    };
    run[Call::CheckoutParam] = [param] { return param(false); };
    run[Call::CheckinParam] = [param] { return param(true); };
    run[Call::Abort] = [this] { return s.host().interactCallbacks().abort(ref()); };
    run[Call::Progress] = [this] { return s.host().interactCallbacks().progress(ref(), 1, 2); };
    run[Call::Copy] = [this] {
      HostWorld a = s.host().makeWorld(2, 2, Depth::Bits8), c = s.host().makeWorld(2, 2, Depth::Bits8);
      return s.host().utils()->copy(ref(), a.get(), c.get(), nullptr, nullptr);
    };
    run[Call::TransferRect] = [this] {
      HostWorld a = s.host().makeWorld(2, 2, Depth::Bits8), c = s.host().makeWorld(2, 2, Depth::Bits8);
      PF_CompositeMode cm{PF_Xfer_IN_FRONT, 0, 255, 0, 32768};
      return s.host().utils()->transfer_rect(ref(), PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, nullptr,
                                             a.get(), &cm, nullptr, 0, 0, c.get());
    };
    run[Call::CheckoutLayer] = [this] {
      auto sc = s.beginCommand(PF_Cmd_SMART_PRE_RENDER);
      PF_CheckoutResult r;
      PF_PreRenderExtra* x = sc->preRenderExtra();
      return x->cb->checkout_layer(ref(), 0, 0, &x->input->output_request, 0, 1, 30, &r);
    };
    run[Call::CheckoutLayerPixels] = [this] {
      auto sc = s.beginSmartRender(0, Depth::Bits8);
      PF_EffectWorld* w;
      return sc->smartExtra()->cb->checkout_layer_pixels(ref(), 0, &w);
    };
    run[Call::CheckinLayerPixels] = [this] {
      auto sc = s.beginSmartRender(0, Depth::Bits8);
      PF_EffectWorld* w;
      sc->smartExtra()->cb->checkout_layer_pixels(ref(), 0, &w);
      return sc->smartExtra()->cb->checkin_layer_pixels(ref(), 0);
    };
    run[Call::CheckoutOutput] = [this] {
      auto sc = s.beginSmartRender(0, Depth::Bits8);
      PF_EffectWorld* w;
      return sc->smartExtra()->cb->checkout_output(ref(), &w);
    };
    auto world1 = [this](bool ofDispose) {
      Suite<PF_WorldSuite1> w(s.host(), kPFWorldSuite, 1);
      PF_EffectWorld x;
      return madeAndUndone(
          ofDispose, [&] { return w->new_world(ref(), 2, 2, 0, &x); }, [&] { return w->dispose_world(ref(), &x); });
    };
    run[Call::NewWorld] = [world1] { return world1(false); };
    run[Call::DisposeWorld] = [world1] { return world1(true); };
    run[Call::GetPixelFormat1] = [this] {
      Suite<PF_WorldSuite1> w(s.host(), kPFWorldSuite, 1);
      HostWorld x = s.host().makeWorld(2, 2, Depth::Bits8);
      PF_PixelFormat f;
      return w->get_pixel_format(x.get(), &f);
    };
    auto world2 = [this](bool ofDispose) {
      Suite<PF_WorldSuite2> w(s.host(), kPFWorldSuite, 2);
      PF_EffectWorld x;
      return madeAndUndone(
          ofDispose, [&] { return w->PF_NewWorld(ref(), 2, 2, 1, PF_PixelFormat_ARGB128, &x); },
          [&] { return w->PF_DisposeWorld(ref(), &x); });
    };
    run[Call::PFNewWorld] = [world2] { return world2(false); };
    run[Call::PFDisposeWorld] = [world2] { return world2(true); };
    run[Call::PFGetPixelFormat] = [this] {
      Suite<PF_WorldSuite2> w(s.host(), kPFWorldSuite, 2);
      HostWorld x = s.host().makeWorld(2, 2, Depth::Bits8);
      PF_PixelFormat f;
      return w->PF_GetPixelFormat(x.get(), &f);
    };
    auto fill = [this](Depth d, int which) {
      Suite<PF_FillMatteSuite2> f(s.host(), kPFFillMatteSuite, 2);
      HostWorld x = s.host().makeWorld(2, 2, d);
      PF_Pixel p8{};
      PF_Pixel16 p16{};
      PF_PixelFloat pf{};
      return which == 0 ? f->fill(ref(), &p8, nullptr, x.get())
                        : which == 1 ? f->fill16(ref(), &p16, nullptr, x.get()) : f->fill_float(ref(), &pf, nullptr, x.get());
    };
    run[Call::Fill] = [fill] { return fill(Depth::Bits8, 0); };
    run[Call::Fill16] = [fill] { return fill(Depth::Bits16, 1); };
    run[Call::FillFloat] = [fill] { return fill(Depth::Bits32, 2); };
    auto sample = [this](Depth d, int which) {
      HostWorld x = s.host().makeWorld(2, 2, d);
      PF_SampPB pb{};
      pb.src = x.get();
      if (d == Depth::Bits8) {
        Suite<PF_Sampling8Suite1> f(s.host(), kPFSampling8Suite, 1);
        PF_Pixel p;
        auto fn = which == 0 ? f->nn_sample : which == 1 ? f->subpixel_sample : f->area_sample;
        return fn(ref(), 0, 0, &pb, &p);
      }
      if (d == Depth::Bits16) {
        Suite<PF_Sampling16Suite1> f(s.host(), kPFSampling16Suite, 1);
        PF_Pixel16 p;
        auto fn = which == 0 ? f->nn_sample16 : which == 1 ? f->subpixel_sample16 : f->area_sample16;
        return fn(ref(), 0, 0, &pb, &p);
      }
      Suite<PF_SamplingFloatSuite1> f(s.host(), kPFSamplingFloatSuite, 1);
      PF_PixelFloat p;
      auto fn = which == 0 ? f->nn_sample_float : which == 1 ? f->subpixel_sample_float : f->area_sample_float;
      return fn(ref(), 0, 0, &pb, &p);
    };
    run[Call::NnSample] = [sample] { return sample(Depth::Bits8, 0); };
    run[Call::SubpixelSample] = [sample] { return sample(Depth::Bits8, 1); };
    run[Call::AreaSample] = [sample] { return sample(Depth::Bits8, 2); };
    run[Call::NnSample16] = [sample] { return sample(Depth::Bits16, 0); };
    run[Call::SubpixelSample16] = [sample] { return sample(Depth::Bits16, 1); };
    run[Call::AreaSample16] = [sample] { return sample(Depth::Bits16, 2); };
    run[Call::NnSampleFloat] = [sample] { return sample(Depth::Bits32, 0); };
    run[Call::SubpixelSampleFloat] = [sample] { return sample(Depth::Bits32, 1); };
    run[Call::AreaSampleFloat] = [sample] { return sample(Depth::Bits32, 2); };
    auto handles = [this](std::function<PF_Err(const PF_HandleSuite2*, Host&)> fn) {
      Suite<PF_HandleSuite2> h(s.host(), kPFHandleSuite, 2);
      return fn(h.get(), s.host());
    };
    // `fn` on a fresh 4-byte handle, disposed of afterwards.
    auto aHandle = [handles](std::function<PF_Err(const PF_HandleSuite2*, Host&, PF_Handle&)> fn) {
      return handles([fn](const PF_HandleSuite2* h, Host& host) {
        PF_Handle x = h->host_new_handle(4);
        PF_Err e = fn(h, host, x);
        h->host_dispose_handle(x);
        return e;
      });
    };
    run[Call::HostNewHandle] = [handles] {
      return handles([](const PF_HandleSuite2* h, Host&) -> PF_Err {
        PF_Handle x = h->host_new_handle(4);
        if (!x) return kInjected;
        h->host_dispose_handle(x);
        return PF_Err_NONE;
      });
    };
    run[Call::HostLockHandle] = [aHandle] {
      return aHandle([](const PF_HandleSuite2* h, Host&, PF_Handle& x) {
        return h->host_lock_handle(x) ? PF_Err_NONE : kInjected;
      });
    };
    run[Call::HostUnlockHandle] = [aHandle] {
      return aHandle([](const PF_HandleSuite2* h, Host& host, PF_Handle& x) {
        h->host_lock_handle(x);
        h->host_unlock_handle(x);
        return host.handleLockCount(x) == 0 ? PF_Err_NONE : kInjected;
      });
    };
    run[Call::HostDisposeHandle] = [handles] {
      return handles([](const PF_HandleSuite2* h, Host& host) -> PF_Err {
        PF_Handle x = h->host_new_handle(4);
        h->host_dispose_handle(x);
        if (!host.isLiveHandle(x)) return PF_Err_NONE;
        h->host_dispose_handle(x);
        return kInjected;
      });
    };
    run[Call::HostGetHandleSize] = [aHandle] {
      return aHandle([](const PF_HandleSuite2* h, Host&, PF_Handle& x) {
        return h->host_get_handle_size(x) == 4 ? PF_Err_NONE : kInjected;
      });
    };
    run[Call::HostResizeHandle] = [aHandle] {
      return aHandle([](const PF_HandleSuite2* h, Host&, PF_Handle& x) { return h->host_resize_handle(8, &x); });
    };
    run[Call::UpdateParamUI] = [this] {
      Suite<PF_ParamUtilsSuite2> p(s.host(), kPFParamUtilsSuite, 2);
      PF_ParamDef d = s.instance().definition(1);
      return p->PF_UpdateParamUI(ref(), 1, &d);
    };
    run[Call::RegisterWithAEGP] = [this] {
      Suite<AEGP_UtilitySuite7> u(s.host(), kAEGPUtilitySuite, 7);
      AEGP_PluginID id;
      return u->AEGP_RegisterWithAEGP(nullptr, "x", &id);
    };
    // The effect and stream calls share one chain; each probe fails its own link.
    auto chain = [this]() -> PF_Err {
      Suite<AEGP_UtilitySuite7> u(s.host(), kAEGPUtilitySuite, 7);
      Suite<AEGP_PFInterfaceSuite1> pi(s.host(), kAEGPPFInterfaceSuite, 1);
      Suite<AEGP_StreamSuite9> st(s.host(), kAEGPStreamSuite, 9);
      Suite<AEGP_EffectSuite2> ef(s.host(), kAEGPEffectSuite, 2);
      AEGP_PluginID id = 0;
      u->AEGP_RegisterWithAEGP(nullptr, "x", &id);
      AEGP_EffectRefH effect = nullptr;
      AEGP_StreamRefH stream = nullptr;
      PF_Err errs[5] = {};
      errs[0] = pi->AEGP_GetNewEffectForEffect(id, ref(), &effect);
      if (effect) errs[1] = st->AEGP_GetNewEffectStreamByIndex(id, effect, 1, &stream);
      if (stream) errs[2] = st->AEGP_SetExpression(id, stream, "1");
      if (stream && (errs[3] = st->AEGP_DisposeStream(stream))) st->AEGP_DisposeStream(stream);
      if (effect && (errs[4] = ef->AEGP_DisposeEffect(effect))) ef->AEGP_DisposeEffect(effect);
      for (PF_Err e : errs)
        if (e) return e;
      return PF_Err_NONE;
    };
    for (Call c : {Call::GetNewEffectForEffect, Call::GetNewEffectStreamByIndex, Call::SetExpression,
                   Call::DisposeStream, Call::DisposeEffect})
      run[c] = chain;
    run[Call::GetNumThreads] = [this] {
      Suite<AEGP_IterateSuite1> it(s.host(), kAEGPIterateSuite, 1);
      A_long n;
      return it->AEGP_GetNumThreads(&n);
    };
  }
};

TEST(SimFaults, EveryCallFailsByCallNumberAndOnlyThen) {
  Probes p;
  ASSERT_EQ(p.run.size(), kCallCount) << "a call of the host has no probe";
  for (std::size_t i = 0; i < kCallCount; ++i) {
    Call c = Call(i);
    SCOPED_TRACE(callName(c));
    ASSERT_EQ(p.run[c](), PF_Err_NONE);  // works by itself
    std::uint64_t next = p.s.host().callCount(c) + 1;
    p.s.host().failCall(c, next, kInjected);
    EXPECT_EQ(p.run[c](), kInjected);
    EXPECT_EQ(p.run[c](), PF_Err_NONE);  // only that call number
    p.s.host().clearFaults();
  }
  p.s.host().clearMisuses();
}

TEST(SimFaults, FromTheNthCallOnAndCountsReset) {
  Probes p;
  p.s.host().resetCallCounts();
  p.s.host().failCallsFrom(Call::SubpixelSample16, 3, PF_Interrupt_CANCEL);
  EXPECT_EQ(p.run[Call::SubpixelSample16](), 0);
  EXPECT_EQ(p.run[Call::SubpixelSample16](), 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p.run[Call::SubpixelSample16](), PF_Interrupt_CANCEL);
  p.s.host().resetCallCounts();
  EXPECT_EQ(p.run[Call::SubpixelSample16](), 0);
  p.s.host().failCalls(Call::Fill, 2, 3, 4);
  EXPECT_EQ(p.run[Call::Fill](), 0);
  EXPECT_EQ(p.run[Call::Fill](), 4);
  EXPECT_EQ(p.run[Call::Fill](), 4);
  EXPECT_EQ(p.run[Call::Fill](), 0);
  EXPECT_EQ(p.s.globalSetdown().err, 0);
  EXPECT_TRUE(p.s.host().outstanding().none()) << p.s.host().outstanding().describe();
}

TEST(SimFaults, WithheldSuitesAreNotHandedOut) {
  Probes p;
  p.s.host().withholdSuite(kPFFillMatteSuite, 2);
  const void* t = &t;
  EXPECT_EQ(p.s.host().basicSuite()->AcquireSuite(kPFFillMatteSuite, 2, &t), kSPSuiteNotFoundError);
  EXPECT_EQ(t, nullptr);
  // Other versions and suites are unaffected.
  EXPECT_EQ(p.run[Call::NewWorld](), 0);
  p.s.host().restoreSuite(kPFFillMatteSuite, 2);
  EXPECT_EQ(p.run[Call::Fill](), 0);
  EXPECT_EQ(p.s.host().outstanding().suites, 0u);
}

TEST(SimFaults, CallNamesRoundTrip) {
  for (std::size_t i = 0; i < kCallCount; ++i) {
    Call c;
    ASSERT_TRUE(callFromName(callName(Call(i)), &c));
    EXPECT_EQ(c, Call(i));
  }
  Call c;
  EXPECT_FALSE(callFromName("no_such_call", &c));
  EXPECT_STREQ(callName(Call::SubpixelSample16), "subpixel_sample16");
}

}  // namespace
