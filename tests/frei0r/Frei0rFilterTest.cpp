// The filter's parts in process: frames in and out, parameters as the
// controls they stand for, the time, and what is refused.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "Frei0rTestFrames.h"
#include "brelo_frei0r/FilterDescription.h"
#include "brelo_frei0r/FilterHost.h"
#include "brelo_frei0r/FilterInstance.h"
#include "brelo_frei0r/RgbaFrameIO.h"
#include "brelo_host/Session.h"
#include "brelo_render/ControlInfo.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/Preset.h"

using namespace Brelo;
using namespace Brelo::Frei0r;
using Frei0rTest::Frame;

namespace {

constexpr int kW = 160, kH = 96;

}  // namespace

TEST(RgbaFrameIO, ReordersEveryByteValueBothWays) {
  std::vector<std::uint8_t> rgba(256 * 4), argb(256 * 4), back(256 * 4);
  for (int i = 0; i < 256; ++i) {
    rgba[std::size_t(i) * 4 + 0] = std::uint8_t(i);
    rgba[std::size_t(i) * 4 + 1] = std::uint8_t(255 - i);
    rgba[std::size_t(i) * 4 + 2] = std::uint8_t(i * 7);
    rgba[std::size_t(i) * 4 + 3] = std::uint8_t(i * 13 + 1);
  }
  rgbaToArgb(rgba.data(), argb.data(), 256);
  for (int i = 0; i < 256; ++i) {
    PF_Pixel p;
    std::memcpy(&p, &argb[std::size_t(i) * 4], 4);
    EXPECT_EQ(p.red, rgba[std::size_t(i) * 4 + 0]);
    EXPECT_EQ(p.green, rgba[std::size_t(i) * 4 + 1]);
    EXPECT_EQ(p.blue, rgba[std::size_t(i) * 4 + 2]);
    EXPECT_EQ(p.alpha, rgba[std::size_t(i) * 4 + 3]);
  }
  argbToRgba(argb.data(), back.data(), 256);
  EXPECT_EQ(back, rgba);
}

TEST(RgbaFrameIO, LayerFillsPaddedRowsAndOutputLandsAtItsOrigin) {
  Frame in = Frei0rTest::testCard(16, 8);
  Frame out(16 * 8, 0xDEADBEEF);
  RgbaFrameIO io(in.data(), out.data(), 16, 8);

  // A world with padded rows, as the host makes them.
  std::vector<PF_Pixel> mem(20 * 8);
  PF_EffectWorld w{};
  w.data = mem.data();
  w.width = 16;
  w.height = 8;
  w.rowbytes = 20 * 4;
  io.writeLayer(w, Sim::Depth::Bits8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      auto const* rgba = reinterpret_cast<std::uint8_t const*>(&in[std::size_t(y) * 16 + std::size_t(x)]);
      PF_Pixel const& p = mem[std::size_t(y) * 20 + std::size_t(x)];
      ASSERT_EQ(p.red, rgba[0]);
      ASSERT_EQ(p.green, rgba[1]);
      ASSERT_EQ(p.blue, rgba[2]);
      ASSERT_EQ(p.alpha, rgba[3]);
    }

  // An output of 10 x 5 at (8, 5): 8 x 3 of it inside the frame.
  std::vector<PF_Pixel> res(10 * 5);
  for (std::size_t i = 0; i < res.size(); ++i) res[i] = {200, A_u_char(i), 1, 2};
  PF_EffectWorld o{};
  o.data = res.data();
  o.width = 10;
  o.height = 5;
  o.rowbytes = 10 * 4;
  o.origin_x = 8;
  o.origin_y = 5;
  EXPECT_FALSE(io.outputWritten());
  io.readOutput(o, Sim::Depth::Bits8);
  EXPECT_TRUE(io.outputWritten());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      auto const* px = reinterpret_cast<std::uint8_t const*>(&out[std::size_t(y) * 16 + std::size_t(x)]);
      if (x >= 8 && y >= 5) {
        PF_Pixel const& s = res[std::size_t(y - 5) * 10 + std::size_t(x - 8)];
        EXPECT_EQ(px[0], s.red);
        EXPECT_EQ(px[3], s.alpha);
      } else {
        EXPECT_EQ(px[0] | px[1] | px[2] | px[3], 0) << x << "," << y;
      }
    }
}

TEST(Printable, KeepsValidTextOnOneLineAndMarksBrokenBytes) {
  EXPECT_EQ(printable("Max Slice=80"), "Max Slice=80");
  EXPECT_EQ(printable("a\nb\tc"), "a b c");
  EXPECT_EQ(printable("Grüße ✓"), "Grüße ✓");
  EXPECT_EQ(printable("x\xff\xfey\xc3"), "x??y?");
  EXPECT_EQ(printable("\xe0\x80\xaf"), "???");  // overlong
  EXPECT_EQ(printable(std::string(500, 'a'), 10), std::string(10, 'a') + "...");
}

// Each double spans the slider of the control it stands for, and its
// default maps into 0..1.
TEST(FilterDescription, DoublesSpanTheSlidersTheModulesRegister) {
  struct Case {
    FilterDescription const& filter;
    const char* module;
  };
  for (Case const& k : {Case{linesFilter(), BRELO_LINES_MODULE}, Case{simpleLinesFilter(), BRELO_SIMPLELINES_MODULE}}) {
    SCOPED_TRACE(k.filter.name);
    auto host = FilterHost::acquire(k.module);
    Sim::Session session(host->host(), host->entry(), kW, kH);
    Render::EffectControls controls(session, k.filter.effect, Render::TimeBase{}, {kW, kH});
    EXPECT_FALSE(k.filter.doubles.empty());
    for (DoubleControl const& d : k.filter.doubles) {
      Render::ControlInfo const& c = controls.find(d.control);
      EXPECT_EQ(c.name, d.control);
      if (c.kind == Render::ControlKind::Angle) {
        EXPECT_EQ(d.low, 0);
        EXPECT_EQ(d.high, 360);
      } else {
        EXPECT_EQ(d.low, c.sliderMin) << d.control;
        EXPECT_EQ(d.high, c.sliderMax) << d.control;
      }
      double const v = (controls.defaultValue(c).number - d.low) / (d.high - d.low);
      EXPECT_GE(v, 0) << d.control;
      EXPECT_LE(v, 1) << d.control;
      EXPECT_NE(d.explanation.find(d.control), std::string::npos);
    }
  }
}

namespace {

class LinesFilter : public ::testing::Test {
 protected:
  std::shared_ptr<FilterHost> host = FilterHost::acquire(BRELO_LINES_MODULE);
  std::vector<std::string> reports;
  Frame card = Frei0rTest::testCard(kW, kH);

  std::unique_ptr<FilterInstance> make(HostKind clock = HostKind::Other) {
    return std::make_unique<FilterInstance>(linesFilter(), host, kW, kH, clock,
                                            [this](std::string const& s) { reports.push_back(s); });
  }
  static void setText(FilterInstance& f, int index, const char* text) { f.setParam(index, &text); }
  static void setDouble(FilterInstance& f, std::string const& control, double v) {
    auto const& d = linesFilter().doubles;
    for (std::size_t i = 0; i < d.size(); ++i)
      if (d[i].control == control) return f.setParam(kFirstDouble + int(i), &v);
    FAIL() << control;
  }
  Frame run(FilterInstance& f, double time) {
    Frame out(card.size(), 0x12345678);
    f.update(time, card.data(), out.data());
    return out;
  }
  Frame reference(std::string const& controls, double seconds, std::string const& preset = "") {
    return Frei0rTest::reference(*host, "BreloLines", kW, kH, controls, seconds, preset);
  }
};

}  // namespace

TEST_F(LinesFilter, ControlsAndTimeGiveTheSamePixelsAsTheHostPath) {
  auto f = make();
  char const* controls = "Max Slice=80;Direction=45\nCompletion=0@0;100@2;Max RGB Separation=12";
  setText(*f, kControls, controls);
  for (double t : {0.0, 0.5, 1.25, 2.0}) {
    SCOPED_TRACE(t);
    Frame const ref = reference(controls, t);
    if (t > 0) {
      EXPECT_NE(ref, card);
    }
    EXPECT_EQ(run(*f, t), ref);
    EXPECT_DOUBLE_EQ(f->lastSeconds(), t);
  }
  // The time parameter wins over the host's; frames count at 30 a second.
  setText(*f, kTime, "45f");
  EXPECT_EQ(run(*f, 0.0), reference(controls, 1.5));
  setText(*f, kTime, "0.5s");
  EXPECT_EQ(run(*f, 7.0), reference(controls, 0.5));
  setText(*f, kTime, "");
  EXPECT_EQ(run(*f, 1.25), reference(controls, 1.25));
  EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(LinesFilter, HostTimeIsMillisecondsFromFfmpegAndSecondsFromOthers) {
  std::string const controls = "Max Slice=60;Completion=0@0;100@2";
  Frame const ref = reference(controls, 1.5);
  for (HostKind k : {HostKind::Ffmpeg, HostKind::Mlt, HostKind::GStreamer, HostKind::Other}) {
    auto f = make(k);
    setText(*f, kControls, controls.c_str());
    EXPECT_EQ(run(*f, k == HostKind::Ffmpeg ? 1500.0 : 1.5), ref);
  }
  // ffmpeg's milliseconds at 30 frames a second land on whole frames.
  EXPECT_EQ(hostSeconds(1000.0 / 30.0, HostKind::Ffmpeg) * 30000, 1000.0);
}

TEST_F(LinesFilter, DoublesSetTheirControlsAsTypedValuesDo) {
  auto f = make();
  setText(*f, kControls, "Max Slice=70;Completion=30");
  // At their defaults the doubles leave the text in force.
  EXPECT_EQ(run(*f, 0), reference("Max Slice=70;Completion=30", 0));
  setDouble(*f, "Completion", 0.5);
  setDouble(*f, "Direction", 0.125);
  setDouble(*f, "Max RGB Separation", 0.56);
  EXPECT_EQ(run(*f, 0), reference("Max Slice=70;Completion=50;Direction=45;Max RGB Separation=12", 0));
  // Values outside 0..1 are held at the ends; decimals as the control shows them.
  setDouble(*f, "Max RGB Separation", 7.0);
  setDouble(*f, "Completion", 0.123456);
  EXPECT_EQ(run(*f, 0), reference("Max Slice=70;Completion=12.3;Direction=45;Max RGB Separation=100", 0));
  // Back at its default, a double gives its control back to the text.
  setDouble(*f, "Completion", 1.0);
  EXPECT_EQ(run(*f, 0), reference("Max Slice=70;Completion=30;Direction=45;Max RGB Separation=100", 0));
  double v = -1;
  f->getParam(kFirstDouble + 3, &v);
  EXPECT_EQ(v, 0.125);
  EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(LinesFilter, PresetAppliesBeforeTheControls) {
  std::string const path = testing::TempDir() + "/frei0r_lines_preset.json";
  {
    Sim::Session s(host->host(), host->entry(), kW, kH);
    Render::EffectControls c(s, "BreloLines", Render::TimeBase{}, {kW, kH});
    c.assign("Max Slice=40");
    c.assign("Wipe Completion=0@0;80@1");
    c.assign("Outside=Wrap");
    Render::savePreset(c, path);
  }
  auto f = make();
  setText(*f, kPreset, path.c_str());
  setText(*f, kControls, "Max Slice=-25");
  EXPECT_EQ(run(*f, 0.5), reference("Max Slice=-25", 0.5, path));
  EXPECT_NE(run(*f, 0.5), reference("Max Slice=-25", 0.5));
  char* got = nullptr;
  f->getParam(kPreset, &got);
  EXPECT_EQ(std::string(got), path);
  std::remove(path.c_str());
}

TEST_F(LinesFilter, RefusedTextPassesFramesThroughAndIsReportedOnce) {
  auto f = make();
  setText(*f, kControls, "Max Slice=abc");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(run(*f, i), card);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("brelo_lines: refused controls \"Max Slice=abc\""), std::string::npos) << reports[0];
  EXPECT_NE(reports[0].find("Max Slice"), std::string::npos);
  EXPECT_NE(f->refusal().find("Max Slice"), std::string::npos);

  // Mended, it renders; refused again, it says so again.
  setText(*f, kControls, "Max Slice=80");
  EXPECT_EQ(run(*f, 0), reference("Max Slice=80", 0));
  EXPECT_TRUE(f->refusal().empty());
  setText(*f, kTime, "soon");
  EXPECT_EQ(run(*f, 0), card);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_NE(reports[1].find("refused time \"soon\""), std::string::npos) << reports[1];
  setText(*f, kTime, "");
  double nan = std::nan("");
  f->setParam(kFirstDouble, &nan);
  EXPECT_EQ(run(*f, 0), card);
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_NE(reports[2].find("\"Completion\" takes a number from 0 to 1"), std::string::npos) << reports[2];
  double one = 1.0;
  f->setParam(kFirstDouble, &one);
  EXPECT_EQ(run(*f, 0), reference("Max Slice=80", 0));
  // The same frame buffer in and out passes through as it is.
  setText(*f, kControls, "Nonsense=1");
  Frame inPlace = card;
  f->update(0, inPlace.data(), inPlace.data());
  EXPECT_EQ(inPlace, card);
}

TEST_F(LinesFilter, EffectFailureIsReportedAndTheFramePassesThrough) {
  auto f = make();
  setText(*f, kControls, "Max Slice=80");
  host->host().failCall(Sim::Call::CheckoutOutput, 1, PF_Err_OUT_OF_MEMORY);
  host->host().resetCallCounts();
  EXPECT_EQ(run(*f, 0), card);
  host->host().clearFaults();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("BreloLines failed to render the frame at 0s: error 4"), std::string::npos) << reports[0];
  EXPECT_EQ(run(*f, 0), reference("Max Slice=80", 0));
}

TEST_F(LinesFilter, RecordsOfFinishedFramesAreForgotten) {
  auto f = make();
  setText(*f, kControls, "Max Slice=80;Composite Opacity=50");
  run(*f, 0);
  std::size_t const after1 = host->host().records();
  for (int i = 1; i < 20; ++i) run(*f, i / 30.0);
  EXPECT_EQ(host->host().records(), after1);
}

TEST(SimpleLinesFilter, DoublesAndControlsGiveTheSamePixelsAsTheHostPath) {
  auto host = FilterHost::acquire(BRELO_SIMPLELINES_MODULE);
  std::vector<std::string> reports;
  FilterInstance f(simpleLinesFilter(), host, kW, kH, HostKind::Other,
                   [&](std::string const& s) { reports.push_back(s); });
  char const* controls = "Max Width 1=12;Wipe Completion=0@0;100@1";
  f.setParam(kControls, &controls);
  double scale = 0.5, direction = 0.375;
  f.setParam(kFirstDouble + 3, &scale);
  f.setParam(kFirstDouble + 1, &direction);
  Frame const card = Frei0rTest::testCard(kW, kH);
  Frame out(card.size());
  f.update(0.25, card.data(), out.data());
  Frame const ref = Frei0rTest::reference(*host, "BreloSimpleLines", kW, kH,
                                          std::string(controls) + ";Scale=50;Direction=135", 0.25);
  EXPECT_NE(ref, card);
  EXPECT_EQ(out, ref);
  EXPECT_TRUE(reports.empty());
}
