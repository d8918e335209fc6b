// Layer over the simulated host: the three origins, reads over padded rows,
// host operations, sticky errors, every host call failing, missing suites,
// and nothing left behind.
#include "Brelo/BreloLayer.h"
#include "Brelo/BreloLayerImpl.h"
#include "SimTestUtil.h"
#include "Util/AEGP_SuiteHandler.h"

using namespace Brelo;
using Sim::Call;
using Sim::Depth;
using Sim::Session;

namespace {

Depth depthOf(BPC b) { return b == BPC::Bits8 ? Depth::Bits8 : b == BPC::Bits16 ? Depth::Bits16 : Depth::Bits32; }

const BPC kAll[] = {BPC::Bits8, BPC::Bits16, BPC::Bits32};

struct Fixture {
  Session s{nullptr, 6, 4};
  std::unique_ptr<Session::Scope> scope = s.beginCommand(PF_Cmd_SMART_RENDER);
  PF_InData* in() { return scope->in_data(); }
  PF_OutData* out() { return scope->out_data(); }
  Sim::Host& host() { return s.host(); }
};

TEST(Layer, CreatedLayersAreTransparentAndReadOverPaddedRows) {
  Fixture f;
  for (BPC b : kAll) {
    Layer l(f.in(), f.out(), 5, 3, b);
    ASSERT_EQ(l.getError(), 0);
    EXPECT_EQ(l.getBPC(), b);
    EXPECT_EQ(l.getWidth(), 5);
    EXPECT_EQ(l.getHeight(), 3);
    EXPECT_TRUE(l.getSize() == Rect(0, 0, 5, 3));
    EXPECT_GT(std::size_t(l.getWorld()->rowbytes), 5 * Sim::pixelSize(depthOf(b)));  // padded by the host
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        ColorFloat<float> c = l.getPixel(x, y);
        ASSERT_TRUE(c.alpha == 0.0f && c.red == 0.0f && c.green == 0.0f && c.blue == 0.0f);
      }
    // Each pixel read from its own row despite the padding.
    Sim::Image img(5, 3, depthOf(b));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) img.set(x, y, {1.0f, x / 8.0f, y / 4.0f, 0.5f});
    f.host().writeWorld(l.getWorld(), img);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        ColorFloat<float> c = l.getPixel(x, y);
        ASSERT_EQ(c.red, img.get(x, y).r);
        ASSERT_EQ(c.green, img.get(x, y).g);
        ASSERT_EQ(c.blue, img.get(x, y).b);
      }
  }
  EXPECT_EQ(f.host().outstanding().worlds, 0u);
  EXPECT_TRUE(f.host().misuses().empty());
}

// The suite a world was made with is held until the world is disposed of:
// a host that refuses every later suite still gets each world back, and the
// suite too.
TEST(Layer, WorldsGoBackWhenTheHostRefusesLaterSuites) {
  for (BPC b : kAll) {
    SCOPED_TRACE(int(depthOf(b)));
    Fixture f;
    {
      Layer l(f.in(), f.out(), 5, 3, b);
      ASSERT_EQ(l.getError(), 0);
      ASSERT_EQ(f.host().outstanding().worlds, 1u);
      f.host().failCallsFrom(Call::AcquireSuite, f.host().callCount(Call::AcquireSuite) + 1, kSPSuiteNotFoundError);
    }
    EXPECT_EQ(f.host().outstanding().worlds, 0u) << f.host().outstanding().describe();
    EXPECT_EQ(f.host().outstanding().suites, 0u) << f.host().outstanding().describe();
    EXPECT_TRUE(f.host().misuses().empty());
  }
}

TEST(Layer, FillWholeAndAreaInEachDepth) {
  Fixture f;
  ColorFloat<float> c(1.0f, 1.0f, 0.5f, 0.0f);
  Layer l8(f.in(), f.out(), 4, 2, BPC::Bits8), l16(f.in(), f.out(), 4, 2, BPC::Bits16),
      l32(f.in(), f.out(), 4, 2, BPC::Bits32);
  l8.fill(c);
  l16.fill(c);
  l32.fill(c, Rect(1, 0, 3, 5));
  ASSERT_EQ(l8.getError() | l16.getError() | l32.getError(), 0);
  EXPECT_TRUE(SimTest::samePixel(f.host().readWorld(l8.getWorld()).px8(3, 1), PF_Pixel{255, 255, 127, 0}));
  EXPECT_TRUE(SimTest::samePixel(f.host().readWorld(l16.getWorld()).px16(0, 0), PF_Pixel16{32768, 32768, 16384, 0}));
  Sim::Image i32 = f.host().readWorld(l32.getWorld());
  EXPECT_EQ(i32.pxF(0, 0).alpha, 0.0f);
  EXPECT_EQ(i32.pxF(1, 1).green, 0.5f);
  EXPECT_EQ(i32.pxF(3, 1).alpha, 0.0f);
  EXPECT_TRUE(f.host().paddingIntact(l32.getWorld()));
}

TEST(Layer, BlendOpacityIsLimitedAndZeroDoesNothing) {
  Fixture f;
  for (BPC b : {BPC::Bits8, BPC::Bits16}) {
    Layer src(f.in(), f.out(), 2, 2, b);
    src.fill(ColorFloat<float>(1.0f, 1.0f, 1.0f, 1.0f));
    Rect all = src.getSize();
    Vector<int> at(0, 0);
    for (double o : {0.0, -1.0}) {
      Layer dst(f.in(), f.out(), 2, 2, b);
      std::uint64_t before = f.host().callCount(Call::TransferRect);
      src.blendTo(dst, all, at, o, BlendMode::Normal, false);
      EXPECT_EQ(f.host().callCount(Call::TransferRect), before);
      EXPECT_EQ(src.getError(), 0);
    }
    // Over transparency the normal mode shows the source alpha times the opacity.
    for (double o : {2.0, 0.5}) {
      Layer dst(f.in(), f.out(), 2, 2, b);
      src.blendTo(dst, all, at, o, BlendMode::Normal, false);
      ASSERT_EQ(src.getError(), 0);
      Sim::Image r = f.host().readWorld(dst.getWorld());
      if (b == BPC::Bits8)
        EXPECT_EQ(r.px8(1, 1).alpha, o > 1 ? 255 : 127);
      else
        EXPECT_EQ(r.px16(1, 1).alpha, o > 1 ? 32768 : 16384);
    }
  }
  // An offset lands the rectangle there; the mode reaches the host.
  Layer a(f.in(), f.out(), 2, 2, BPC::Bits8), d(f.in(), f.out(), 3, 3, BPC::Bits8);
  a.fill(ColorFloat<float>(1.0f, 0.4f, 0.4f, 0.4f));
  d.fill(ColorFloat<float>(1.0f, 0.4f, 0.0f, 0.0f));
  Rect one(0, 0, 1, 1);
  Vector<int> at(2, 1);
  a.blendTo(d, one, at, 1.0, BlendMode::Add, true);
  Sim::Image r = f.host().readWorld(d.getWorld());
  EXPECT_TRUE(SimTest::samePixel(r.px8(2, 1), Blend::add(PF_Pixel{255, 102, 0, 0}, PF_Pixel{255, 102, 102, 102})));
  EXPECT_TRUE(SimTest::samePixel(r.px8(1, 1), PF_Pixel{255, 102, 0, 0}));
}

TEST(Layer, EqualToAndEqualInSize) {
  Fixture f;
  Layer a(f.in(), f.out(), 3, 2, BPC::Bits8);
  Layer copy = a;
  Layer b(f.in(), f.out(), 3, 2, BPC::Bits16);
  Layer c(f.in(), f.out(), 2, 3, BPC::Bits8);
  EXPECT_TRUE(a.equalTo(copy));
  EXPECT_FALSE(a.equalTo(b));
  EXPECT_TRUE(a.equalInSize(b));
  EXPECT_FALSE(a.equalInSize(c));
  Sim::HostWorld w = f.host().makeWorld(3, 2, Depth::Bits8);
  Layer w1(f.in(), f.out(), w.get(), BPC::Bits8), w2(f.in(), f.out(), w.get(), BPC::Bits8);
  EXPECT_TRUE(w1.equalTo(w2));
}

TEST(Layer, ReleaseRulesPerOrigin) {
  Fixture f;
  Sim::HostWorld w = f.host().makeWorld(3, 2, Depth::Bits32);
  {
    Layer borrowed(f.in(), f.out(), w.get(), BPC::Bits32);
    Layer created(f.in(), f.out(), 3, 2, BPC::Bits32);  // float: World Suite 2
    Layer created16(f.in(), f.out(), 3, 2, BPC::Bits16);
    Layer param(f.in(), f.out(), 0, A_Time{0, 30}, BPC::Bits8);
    ASSERT_EQ(param.getError(), 0);
    ASSERT_NE(param.getWorld(), nullptr);
    EXPECT_EQ(param.getWidth(), 6);
    Sim::Outstanding o = f.host().outstanding();
    EXPECT_EQ(o.worlds, 2u);
    EXPECT_EQ(o.params, 1u);
  }
  EXPECT_TRUE(f.host().isLiveWorld(w.get()));
  EXPECT_TRUE(f.host().outstanding().none()) << f.host().outstanding().describe();
  EXPECT_TRUE(f.host().misuses().empty());
  // A layer parameter without pixels is checked in all the same.
  f.s.instance().setLayerEmpty(true);
  {
    Layer empty(f.in(), f.out(), 0, A_Time{0, 30}, BPC::Bits8);
    EXPECT_EQ(empty.getError(), 0);
    EXPECT_EQ(empty.getWorld(), nullptr);
    empty.fill(ColorFloat<float>());  // nothing to fill
    EXPECT_EQ(empty.getError(), 0);
  }
  EXPECT_TRUE(f.host().outstanding().none());
}

TEST(Layer, CloneAndCopy) {
  Fixture f;
  Layer a(f.in(), f.out(), 4, 3, BPC::Bits16);
  a.fill(ColorFloat<float>(1.0f, 0.25f, 0.5f, 0.75f));
  a.fill(ColorFloat<float>(0.5f, 0.0f, 0.0f, 1.0f), Rect(0, 0, 1, 1));
  Layer c = a.clone();
  ASSERT_EQ(a.getError() | c.getError(), 0);
  EXPECT_FALSE(c.equalTo(a));
  EXPECT_EQ(f.host().readWorld(c.getWorld()), f.host().readWorld(a.getWorld()));
  Layer d(f.in(), f.out(), 4, 3, BPC::Bits16);
  Rect from(0, 0, 1, 1), to(3, 2, 4, 3);
  a.copyTo(d, from, to);
  EXPECT_EQ(f.host().readWorld(d.getWorld()).px16(3, 2).alpha, 16384);
  EXPECT_EQ(f.host().readWorld(d.getWorld()).px16(0, 0).alpha, 0);
  Layer e(f.in(), f.out(), 4, 3, BPC::Bits16);
  a.copyTo(e);
  EXPECT_EQ(f.host().readWorld(e.getWorld()), f.host().readWorld(a.getWorld()));
}

TEST(Layer, LimitRegion) {
  int l = -5, t = 2, r = 50, b = 3;
  Layer::Impl::_limitRegion(l, t, r, b, Rect(0, 1, 10, 8));
  EXPECT_EQ(l, 0);
  EXPECT_EQ(t, 2);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(b, 3);
}

// Every host call a layer makes, failing in turn: the error is recorded on
// the layer that made the call, later host calls are skipped, and nothing is
// left behind once the layers are gone.
TEST(Layer, EachHostCallFailingIsRecordedAndStopsLaterCalls) {
  struct Case {
    Call call;
    BPC bpc;
    int step;  // 0 creation, 1 fill, 2 fill with area, 3 copy, 4 blend, 5 clone, 6 checkout
  };
  const Case cases[] = {{Call::NewWorld, BPC::Bits8, 0},     {Call::NewWorld, BPC::Bits16, 0},
                        {Call::PFNewWorld, BPC::Bits32, 0},  {Call::AcquireSuite, BPC::Bits32, 0},
                        {Call::Fill, BPC::Bits8, 1},         {Call::Fill16, BPC::Bits16, 2},
                        {Call::FillFloat, BPC::Bits32, 1},   {Call::Copy, BPC::Bits8, 3},
                        {Call::TransferRect, BPC::Bits16, 4}, {Call::Copy, BPC::Bits32, 5},
                        {Call::CheckoutParam, BPC::Bits8, 6}};
  for (Case const& k : cases) {
    SCOPED_TRACE(std::string(Sim::callName(k.call)) + " step " + std::to_string(k.step));
    Fixture f;
    {
      Layer dst(f.in(), f.out(), 4, 4, k.bpc);
      f.host().failCall(k.call, f.host().callCount(k.call) + 1, 4);
      Layer l = k.step == 6 ? Layer(f.in(), f.out(), 0, A_Time{0, 30}, k.bpc) : Layer(f.in(), f.out(), 4, 4, k.bpc);
      Rect all(0, 0, 4, 4);
      Vector<int> at(0, 0);
      switch (k.step) {
        case 1: l.fill(ColorFloat<float>(1, 1, 1, 1)); break;
        case 2: l.fill(ColorFloat<float>(1, 1, 1, 1), all); break;
        case 3: l.copyTo(dst); break;
        case 4: l.blendTo(dst, all, at, 1.0, BlendMode::Screen, false); break;
        case 5: {
          Layer c = l.clone();
          EXPECT_EQ(c.getError(), 0);  // the new layer itself was made
          break;
        }
        default: break;
      }
      PF_Err expected = k.call == Call::AcquireSuite ? PF_Err_BAD_CALLBACK_PARAM : 4;
      EXPECT_EQ(l.getError(), expected);
      EXPECT_EQ(dst.getError(), 0);
      if (k.step == 0) {
        EXPECT_EQ(l.getWorld()->data, nullptr);
        if (k.call == Call::AcquireSuite) {
          EXPECT_STREQ(f.out()->return_msg, "Couldn't load suite.");
          EXPECT_TRUE(f.out()->out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
        }
      }
      // Sticky: nothing reaches the host any more.
      std::uint64_t fills = f.host().callCount(Call::Fill) + f.host().callCount(Call::Fill16) +
                            f.host().callCount(Call::FillFloat);
      std::uint64_t copies = f.host().callCount(Call::Copy), xfers = f.host().callCount(Call::TransferRect);
      Rect all2(0, 0, 4, 4);
      l.fill(ColorFloat<float>());
      l.fill(ColorFloat<float>(), all2);
      l.copyTo(dst);
      l.copyTo(dst, all2, all2);
      l.blendTo(dst, all2, at, 1.0, BlendMode::Normal, false);
      Layer c2 = l.clone();
      EXPECT_EQ(f.host().callCount(Call::Fill) + f.host().callCount(Call::Fill16) + f.host().callCount(Call::FillFloat),
                fills);
      EXPECT_EQ(f.host().callCount(Call::Copy), copies);
      EXPECT_EQ(f.host().callCount(Call::TransferRect), xfers);
      EXPECT_EQ(l.getError(), expected);
    }
    EXPECT_TRUE(f.host().outstanding().none()) << f.host().outstanding().describe();
  }
}

TEST(Layer, MissingSuitesRaise516AndLeaveTheLayerAsItWas) {
  Fixture f;
  Layer l(f.in(), f.out(), 2, 2, BPC::Bits8);
  f.host().withholdSuite(kPFFillMatteSuite, 2);
  try {
    l.fill(ColorFloat<float>(1, 1, 1, 1));
    FAIL() << "no failure";
  } catch (MissingSuiteError const& e) {
    EXPECT_EQ(e.error, PF_Err_BAD_CALLBACK_PARAM);
  }
  EXPECT_EQ(l.getError(), 0);
  f.host().withholdSuite(kPFWorldSuite, 1);
  EXPECT_THROW(Layer(f.in(), f.out(), 2, 2, BPC::Bits16), MissingSuiteError);
  // Float worlds come from version 2, through the acquisition routine.
  f.host().withholdSuite(kPFWorldSuite, 2);
  Layer fl(f.in(), f.out(), 2, 2, BPC::Bits32);
  EXPECT_EQ(fl.getError(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(f.out()->return_msg, "Couldn't load suite.");
  f.host().clearFaults();
  {
    Layer g(f.in(), f.out(), 2, 2, BPC::Bits8);
    f.host().withholdSuite(kPFWorldSuite, 1);
  }  // nothing escapes the destructor; the suite g was made with disposes of it
  EXPECT_EQ(f.host().outstanding().worlds, 1u);  // l's alone
}

}  // namespace
