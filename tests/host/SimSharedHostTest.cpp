// Several effect instances in one host, as a host application renders
// several layers: sessions that share a host, instances that come and go
// while others render, frames a driver writes and reads itself, and the
// records a long-running host forgets.
#include <cstring>
#include <thread>
#include <vector>

#include "SimTestPlugin.h"
#include "SimTestUtil.h"
#include "brelo_host/FrameIO.h"

using namespace Brelo::Sim;
using namespace SimTestPlugin;

namespace {

Image pattern(int w, int h, int seed) {
  Image img(w, h, Depth::Bits8);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.px8(x, y) = {A_u_char(255 - (x * seed) % 50), A_u_char(x * 9 + seed), A_u_char(y * 13), A_u_char(x * y + seed)};
  return img;
}

// Sampling at an offset: the layer is read through the sampling suite.
void configure(Session& s, Image const& layer, double offsetX) {
  s.setInput(layer);
  ASSERT_EQ(s.setup().err, 0);
  s.setValue(kMode, kSample);
  s.setPoint(kOffset, offsetX, 1.0);
}

// A driver's frame: the layer written from `layer`, the output kept.
class ImageIO : public FrameIO {
 public:
  explicit ImageIO(Image layer) : m_layer(std::move(layer)) {}
  void writeLayer(PF_EffectWorld& w, Depth depth) override {
    ++writes;
    Image l = m_layer.converted(depth);
    ASSERT_EQ(w.width, l.width());
    for (int y = 0; y < w.height; ++y)
      std::memcpy(static_cast<char*>(w.data) + std::ptrdiff_t(y) * w.rowbytes, l.bytes() + std::size_t(y) * l.rowBytes(),
                  l.rowBytes());
  }
  void readOutput(PF_EffectWorld const& w, Depth depth) override {
    ++reads;
    output = Image(w.width, w.height, depth);
    for (int y = 0; y < w.height; ++y)
      std::memcpy(output.bytes() + std::size_t(y) * output.rowBytes(),
                  static_cast<char const*>(w.data) + std::ptrdiff_t(y) * w.rowbytes, output.rowBytes());
  }
  Image output;
  int writes = 0, reads = 0;

 private:
  Image m_layer;
};

// The frame a session alone in its host renders.
Image alone(Image const& layer, double offsetX, Depth depth) {
  Session s(EntryPointFunc, layer.width(), layer.height());
  configure(s, layer, offsetX);
  Image out = s.render(0, depth).image;
  EXPECT_FALSE(out.empty());
  return out;
}

}  // namespace

TEST(SimSharedHost, SessionsInOneHostRenderAsAlone) {
  Image const a = pattern(12, 9, 3), b = pattern(7, 5, 11);
  Image const aloneA = alone(a, 2.5, Depth::Bits16), aloneB = alone(b, -1.25, Depth::Bits16);
  Host host;
  {
    Session sa(host, EntryPointFunc, 12, 9);
    Session sb(host, EntryPointFunc, 7, 5);
    EXPECT_EQ(&sa.host(), &host);
    configure(sa, a, 2.5);
    configure(sb, b, -1.25);
    EXPECT_EQ(sb.render(0, Depth::Bits16).image, aloneB);
    EXPECT_EQ(sa.render(0, Depth::Bits16).image, aloneA);
  }
  // Each session sent global set-down and took its instance with it.
  EXPECT_TRUE(host.outstanding().none()) << host.outstanding().describe();
  EXPECT_TRUE(host.misuses().empty());
  EXPECT_EQ(Host::current(), &host);
}

TEST(SimSharedHost, ARemovedInstanceIsUnknownToTheHost) {
  Host host;
  Instance& kept = host.newInstance(4, 4);
  Instance& gone = host.newInstance(4, 4);
  PF_ProgPtr const goneRef = gone.ref();
  SimTest::Suite<PF_Sampling8Suite1> s8(host, kPFSampling8Suite, 1);
  HostWorld w = host.makeWorld(4, 4, Depth::Bits8);
  PF_SampPB pb{};
  pb.src = w.get();
  PF_Pixel p;
  // This thread last presented the reference while it was good.
  EXPECT_EQ(s8->subpixel_sample(goneRef, 0, 0, &pb, &p), PF_Err_NONE);
  host.removeInstance(gone);
  EXPECT_THROW(host.removeInstance(gone), std::invalid_argument);
  EXPECT_EQ(s8->subpixel_sample(goneRef, 0, 0, &pb, &p), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s8->subpixel_sample(kept.ref(), 0, 0, &pb, &p), PF_Err_NONE);
  ASSERT_EQ(host.misuses().size(), 1u);
  EXPECT_EQ(host.misuses()[0], "subpixel_sample: unknown effect reference");
  // The freed slot is taken by the next instance.
  Instance& next = host.newInstance(2, 2);
  EXPECT_EQ(s8->subpixel_sample(next.ref(), 0, 0, &pb, &p), PF_Err_NONE);
  next.setCommand(PF_Cmd_SMART_RENDER);
  EXPECT_THROW(host.removeInstance(next), std::logic_error);
  next.setCommand(-1);
}

TEST(SimSharedHost, InstancesComeAndGoWhileOthersRenderOnTheirThreads) {
  Image const a = pattern(24, 16, 5), b = pattern(20, 12, 9);
  Image const aloneA = alone(a, 1.5, Depth::Bits8), aloneB = alone(b, -2.0, Depth::Bits32);
  Host host;
  auto renderer = [&](Image const& layer, double offset, Depth depth, Image const& expected) {
    Session s(host, EntryPointFunc, layer.width(), layer.height());
    configure(s, layer, offset);
    for (int i = 0; i < 20; ++i) {
      RenderResult r = s.render(0, depth);
      ASSERT_EQ(r.err, 0);
      ASSERT_EQ(r.image, expected) << i;
      host.forgetRetired(s.instance());
    }
  };
  std::thread ta(renderer, std::cref(a), 1.5, Depth::Bits8, std::cref(aloneA));
  std::thread tb(renderer, std::cref(b), -2.0, Depth::Bits32, std::cref(aloneB));
  std::thread churn([&] {
    for (int i = 0; i < 10; ++i) {
      Session s(host, EntryPointFunc, 6, 6);
      configure(s, pattern(6, 6, i), 0.5);
      EXPECT_EQ(s.render(0, Depth::Bits16).err, 0);
    }
  });
  ta.join();
  tb.join();
  churn.join();
  EXPECT_TRUE(host.misuses().empty()) << host.misuses().front();
}

TEST(SimSharedHost, DriverFramesGoStraightIntoAndOutOfTheWorlds) {
  Session s(EntryPointFunc, 10, 6);
  Image const layer = pattern(10, 6, 7);
  configure(s, layer, 1.0);
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
      RenderResult own = s.render(0, d, ds);
      ImageIO io(s.instance().layerAt(ds, Depth::Bits32));
      RenderResult driven = s.render(0, d, ds, io);
      ASSERT_EQ(driven.err, 0);
      EXPECT_TRUE(driven.image.empty());
      EXPECT_EQ(io.reads, 1);
      EXPECT_GE(io.writes, 1);
      EXPECT_EQ(io.output, own.image);
      EXPECT_EQ(driven.originX, own.originX);
      EXPECT_TRUE(driven.paddingIntact);
    }
  }
  // A failed render hands no output to the driver.
  s.host().failCallsFrom(Call::SubpixelSample, s.host().callCount(Call::SubpixelSample) + 1, PF_Err_OUT_OF_MEMORY);
  ImageIO io(layer);
  EXPECT_EQ(s.render(0, Depth::Bits8, {}, io).err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(io.reads, 0);
  s.host().clearFaults();
  EXPECT_TRUE(s.host().misuses().empty());
  EXPECT_EQ(s.host().outstanding().handles, 1u) << s.host().outstanding().describe();
}

TEST(SimSharedHost, ForgettingRetiredRecordsKeepsWhatOthersHold) {
  Host host;
  Session sa(host, EntryPointFunc, 8, 8);
  Session sb(host, EntryPointFunc, 8, 8);
  configure(sa, pattern(8, 8, 1), 1.0);
  configure(sb, pattern(8, 8, 2), 1.0);
  sa.render(0, Depth::Bits8);
  host.forgetRetired(sa.instance());
  std::size_t const steady = host.records();
  for (int i = 0; i < 10; ++i) {
    sa.render(0, Depth::Bits8);
    host.forgetRetired(sa.instance());
  }
  EXPECT_EQ(host.records(), steady);
  // A world B's effect holds (made through the world suite) stays live.
  auto scope = sb.beginSmartRender(0, Depth::Bits8);
  SimTest::Suite<PF_WorldSuite2> ws(host, kPFWorldSuite, 2);
  PF_EffectWorld held{};
  ASSERT_EQ(ws->PF_NewWorld(sb.instance().ref(), 3, 3, true, PF_PixelFormat_ARGB32, &held), 0);
  host.forgetRetired(sa.instance());
  host.forgetRetired(sb.instance());
  EXPECT_TRUE(host.isLiveWorld(&held));
  EXPECT_EQ(ws->PF_DisposeWorld(sb.instance().ref(), &held), 0);
  EXPECT_FALSE(host.isLiveWorld(&held));
  EXPECT_TRUE(host.misuses().empty());
}
