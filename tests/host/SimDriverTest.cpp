// The command driver, with the test effect linked in and loaded as a module.
#include <cstring>

#include "brelo_host/Module.h"
#include "SimTestPlugin.h"
#include "SimTestUtil.h"
#include "Util/AEGP_SuiteHandler.h"

using namespace Brelo::Sim;
using namespace SimTestPlugin;

namespace {

Image gradient(int w, int h) {
  Image img(w, h, Depth::Bits32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.set(x, y, {(x + y) % 3 == 0 ? 0.5f : 1.0f, x / float(w), y / float(h), (x * y % 7) / 7.0f});
  return img;
}

TEST(SimDriver, SetUpAboutAndSetDownLeaveNothingBehind) {
  {
    Session s(EntryPointFunc, 16, 8);
    CommandResult about = s.about();
    EXPECT_EQ(about.err, 0);
    EXPECT_EQ(about.return_msg, "SimTest, v1.00\rA test effect.");
    CommandResult g = s.globalSetup();
    ASSERT_EQ(g.err, 0);
    EXPECT_EQ(g.my_version, 525825u);
    EXPECT_EQ(g.out_flags, PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI);
    EXPECT_EQ(g.out_flags2, PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE);
    PF_Handle global = s.instance().globalData();
    ASSERT_TRUE(s.host().isLiveHandle(global));
    EXPECT_EQ(s.host().handleLockCount(global), 0);
    EXPECT_EQ(*reinterpret_cast<AEGP_PluginID*>(*global), 0x4200);
    CommandResult p = s.paramsSetup();
    ASSERT_EQ(p.err, 0);
    EXPECT_EQ(p.num_params, kCount);
    EXPECT_EQ(s.updateParamsUI().out_flags, PF_OutFlag_REFRESH_UI);
    Outstanding o = s.host().outstanding();
    EXPECT_EQ(o.handles, 1u);  // the global data, as long as the effect is loaded
    EXPECT_EQ(o.suites, 0u);
    EXPECT_EQ(s.globalSetdown().err, 0);
    EXPECT_FALSE(s.host().isLiveHandle(global));
    EXPECT_TRUE(s.host().outstanding().none()) << s.host().outstanding().describe();
    EXPECT_TRUE(s.host().misuses().empty());
  }
  EXPECT_EQ(Host::current(), nullptr);
}

TEST(SimDriver, CopyRendersTheInputInEveryDepthAndDownsample) {
  Session s(EntryPointFunc, 10, 7);
  Image in = gradient(10, 7);
  s.setInput(in);
  ASSERT_EQ(s.setup().err, 0);
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    for (Downsample ds : {Downsample(), Downsample(1, 2), Downsample({1, 1}, {1, 3})}) {
      RenderResult r = s.render(0, d, ds);
      ASSERT_EQ(r.err, 0);
      ASSERT_TRUE(r.rendered);
      EXPECT_EQ(r.image, s.instance().layerAt(ds, d));
      EXPECT_EQ(r.image.width(), Instance::scaledSize(10, ds.x));
      EXPECT_EQ(r.image.height(), Instance::scaledSize(7, ds.y));
      EXPECT_TRUE(r.paddingIntact);
      EXPECT_TRUE(r.inputUntouched);
      ASSERT_EQ(r.layerRequests.size(), 1u);
      EXPECT_EQ(r.layerRequests[0].request.preserve_rgb_of_zero_alpha, 1);
      EXPECT_EQ(r.result_rect.right, r.image.width());
      EXPECT_EQ(r.max_result_rect.bottom, r.image.height());
      // Pre-render data went through the plug-in's deletion routine.
      EXPECT_EQ(s.host().outstanding().handles, 1u) << s.host().outstanding().describe();
    }
  }
  EXPECT_TRUE(s.host().misuses().empty());
}

TEST(SimDriver, FillSampleAndUserChangedParam) {
  Session s(EntryPointFunc, 8, 4);
  Image in = gradient(8, 4);
  s.setInput(in);
  ASSERT_EQ(s.setup().err, 0);
  s.setValue(kMode, kFill);
  s.setColor(kColor, {255, 0, 255, 0});
  RenderResult f = s.render(0, Depth::Bits16);
  ASSERT_EQ(f.err, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_TRUE(SimTest::samePixel(f.image.px16(x, y), {32768, 0, 32768, 0}));

  // Sampling one pixel to the right at half resolution: the offset of 2
  // layer pixels arrives as 1.
  s.setValue(kMode, kSample);
  s.setPoint(kOffset, 2.0, 0.0);
  RenderResult r = s.render(0, Depth::Bits8, {1, 2});
  ASSERT_EQ(r.err, 0);
  Image half = s.instance().layerAt({1, 2}, Depth::Bits8);
  for (int y = 0; y < half.height(); ++y)
    for (int x = 0; x < half.width(); ++x) {
      PF_Pixel e = x + 1 < half.width() ? half.px8(x + 1, y) : PF_Pixel{0, 0, 0, 0};
      ASSERT_TRUE(SimTest::samePixel(r.image.px8(x, y), e)) << x << "," << y;
    }

  CommandResult u = s.userChangedParam(kMode);
  EXPECT_EQ(u.err, 0);
  EXPECT_TRUE(u.out_flags & PF_OutFlag_FORCE_RERENDER);
  EXPECT_DOUBLE_EQ(s.instance().definition(kAmount).u.fs_d.value, 1.0);  // the definition keeps its default
  PF_ParamDef amount = s.instance().valueAt(kAmount, 0, 1, 30, false, {});
  EXPECT_DOUBLE_EQ(amount.u.fs_d.value, 2.5);
  EXPECT_EQ(s.instance().valueAt(kGain, 0, 1, 30, false, {}).u.fd.value, 100 << 16);  // not flagged: unchanged
  EXPECT_THROW(s.userChangedParam(kCount), std::invalid_argument);
}

TEST(SimDriver, FailuresAreReturnedAndTheFrameIsCleanedUp) {
  Session s(EntryPointFunc, 8, 4);
  ASSERT_EQ(s.setup().err, 0);
  s.host().failCall(Call::CheckoutOutput, 1, PF_Err_OUT_OF_MEMORY);
  RenderResult r = s.render(0, Depth::Bits32);
  EXPECT_EQ(r.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(r.preRenderErr, 0);
  EXPECT_TRUE(r.image.empty());
  EXPECT_EQ(s.host().outstanding().handles, 1u);  // only the global data

  s.host().failCall(Call::CheckoutLayer, s.host().callCount(Call::CheckoutLayer) + 1, 512);
  RenderResult p = s.render(0, Depth::Bits8);
  EXPECT_EQ(p.preRenderErr, 512);
  EXPECT_FALSE(p.rendered);

  // A suite the host cannot supply ends the command with 516.
  s.host().withholdSuite(kPFSampling8Suite, 1);
  s.setValue(kMode, kSample);
  EXPECT_EQ(s.render(0, Depth::Bits8).err, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().outstanding().suites, 0u);
}

TEST(SimDriver, InputOriginShowsInTheCheckedOutWorld) {
  Session s(nullptr, 6, 4);
  s.setInputOrigin(-20, 8);
  auto r = s.beginSmartRender(0, Depth::Bits16);
  PF_EffectWorld* in = nullptr;
  PF_EffectWorld* out = nullptr;
  ASSERT_EQ(r->smartExtra()->cb->checkout_layer_pixels(s.instance().ref(), 0, &in), 0);
  ASSERT_EQ(r->smartExtra()->cb->checkout_output(s.instance().ref(), &out), 0);
  EXPECT_EQ(in->origin_x, -20);
  EXPECT_EQ(in->origin_y, 8);
  EXPECT_EQ(out->width, 6);
  EXPECT_EQ(s.host().outstanding().layerPixels, 1u);
  PF_EffectWorld* unknown;
  EXPECT_EQ(r->smartExtra()->cb->checkout_layer_pixels(s.instance().ref(), 5, &unknown), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(r->smartExtra()->cb->checkin_layer_pixels(s.instance().ref(), 5), PF_Err_BAD_CALLBACK_PARAM);
  // Writing into the input is caught when the host takes it back.
  static_cast<PF_Pixel16*>(in->data)->red = 7;
  EXPECT_EQ(r->smartExtra()->cb->checkin_layer_pixels(s.instance().ref(), 0), 0);
  EXPECT_EQ(s.host().outstanding().layerPixels, 0u);
  auto m = s.host().misuses();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_NE(m[2].find("written"), std::string::npos);
}

TEST(SimDriver, ALentLayerIsTheInputWorldItselfAndWritesIntoItAreCaught) {
  Session s(EntryPointFunc, 10, 7);
  const Image in = gradient(10, 7);
  s.setInput(Image(in));
  s.instance().setLayerLent(true);
  ASSERT_EQ(s.setup().err, 0);
  // Rendered at the layer's depth and size, and at others (a padded copy as
  // usual): the same pixels as without lending, the output world handed on.
  for (Depth d : {Depth::Bits32, Depth::Bits8}) {
    for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
      RenderResult r = s.render(0, d, ds, OutputAs::World);
      ASSERT_EQ(r.err, 0);
      EXPECT_TRUE(r.image.empty());
      ASSERT_TRUE(s.host().isLiveWorld(r.world.get()));
      EXPECT_TRUE(s.host().paddingIntact(r.world.get()));
      EXPECT_EQ(s.host().readWorld(r.world.get()), s.instance().layerAt(ds, d));
      EXPECT_TRUE(r.inputUntouched);
    }
  }
  EXPECT_TRUE(s.host().misuses().empty());
  EXPECT_EQ(s.host().outstanding().handles, 1u) << s.host().outstanding().describe();

  PF_EffectWorld* world = nullptr;
  {
    auto r = s.beginSmartRender(0, Depth::Bits32);
    ASSERT_EQ(r->smartExtra()->cb->checkout_layer_pixels(s.instance().ref(), 0, &world), 0);
    EXPECT_EQ(world->data, s.instance().layer().bytes());
    EXPECT_EQ(world->rowbytes, A_long(10 * sizeof(PF_PixelFloat)));
    static_cast<PF_PixelFloat*>(world->data)[3 * 10 + 4].green += 1.0f;
    EXPECT_EQ(r->smartExtra()->cb->checkin_layer_pixels(s.instance().ref(), 0), 0);
  }
  EXPECT_FALSE(s.host().isLiveWorld(world));
  ASSERT_EQ(s.host().misuses().size(), 1u);
  EXPECT_NE(s.host().misuses()[0].find("written by the plug-in"), std::string::npos);
}

// An effect that forgets the deletion routine and throws on global set-up.
PF_Err careless(PF_Cmd cmd, PF_InData* in_data, PF_OutData*, PF_ParamDef**, PF_LayerDef*, void* extra) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  if (cmd == PF_Cmd_GLOBAL_SETUP) throw 1;
  if (cmd == PF_Cmd_SMART_PRE_RENDER) {
    auto* x = static_cast<PF_PreRenderExtra*>(extra);
    x->output->pre_render_data = suites.HandleSuite2()->host_new_handle(8);
    x->output->result_rect = {0, 0, 1, 1};
  }
  return PF_Err_NONE;
}

TEST(SimDriver, LeftoversAndExceptionsAreReported) {
  Session s(careless, 4, 4);
  EXPECT_EQ(s.globalSetup().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  RenderResult r = s.render(0, Depth::Bits8);
  EXPECT_EQ(r.err, 0);
  EXPECT_EQ(s.host().outstanding().handles, 1u);
  EXPECT_EQ(s.host().misuses().size(), 1u);
}

TEST(SimDriver, ModuleLoadsThroughItsOnlyExport) {
  Module m(SIM_TEST_MODULE_PATH);
  Session s(m.entry(), 5, 3);
  EXPECT_EQ(s.about().return_msg, "SimTestModule, v1.00\rA test effect.");
  s.setInput(gradient(5, 3));
  ASSERT_EQ(s.setup().err, 0);
  RenderResult r = s.render(0, Depth::Bits32);
  ASSERT_EQ(r.err, 0);
  EXPECT_EQ(r.image, s.instance().layerAt({}, Depth::Bits32));
  EXPECT_EQ(s.globalSetdown().err, 0);
  EXPECT_TRUE(s.host().outstanding().none()) << s.host().outstanding().describe();
}

TEST(SimDriver, ModuleLoadErrorsCarryTheLoadersText) {
  try {
    Module m("/nonexistent/brelo-plugin.so");
    FAIL() << "loaded a missing file";
  } catch (std::runtime_error const& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/brelo-plugin.so"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
  }
  try {
    Module m("libm.so.6");
    FAIL() << "found an entry point in the maths library";
  } catch (std::runtime_error const& e) {
    EXPECT_NE(std::string(e.what()).find("EntryPointFunc"), std::string::npos) << e.what();
  }
}

}  // namespace
