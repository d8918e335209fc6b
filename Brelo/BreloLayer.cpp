#include "Brelo/BreloLayer.h"

#include "Brelo/BreloLayerImpl.h"
#include "Brelo/PixelConversion.h"
#include "Util/AEFX_SuiteHelper.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

namespace {

const char kLoadText[] = "Couldn't load suite.";
const char kReleaseText[] = "Couldn't release suite.";

}  // namespace

// ---------------------------------------------------------------- Impl

Layer::Impl::Impl(PF_InData* in, PF_OutData* out, PF_LayerDef* w, BPC b)
    : in_data(in), out_data(out), origin(kBorrowed), bpc(b), world(w) {}

Layer::Impl::Impl(PF_InData* in, PF_OutData* out, int paramIndex, A_Time const& time, BPC b)
    : in_data(in), out_data(out), origin(kParameter), bpc(b) {
  error = in_data->inter.checkout_param(in_data->effect_ref, paramIndex, time.value, in_data->time_step, time.scale,
                                        &param);
  checkedOut = error == PF_Err_NONE;
  if (checkedOut && param.u.ld.data) world = &param.u.ld;
}

Layer::Impl::Impl(PF_InData* in, PF_OutData* out, int w, int h, BPC b)
    : in_data(in), out_data(out), origin(kOwned), bpc(b), ownRecord(new PF_LayerDef{}) {
  world = ownRecord.get();
  _createWorld(w, h);
}

Layer::Impl::~Impl() {
  if (origin == kOwned) {
    if (world->data) _disposeWorld();
  } else if (origin == kParameter && checkedOut) {
    // Every successful checkout goes back, with pixels or without.
    in_data->inter.checkin_param(in_data->effect_ref, &param);
  }
}

void Layer::Impl::_limitRegion(int& left, int& top, int& right, int& bottom, Rect const& bound) {
  if (left < bound.left) left = bound.left;
  if (top < bound.top) top = bound.top;
  if (right > bound.right) right = bound.right;
  if (bottom > bound.bottom) bottom = bound.bottom;
}

void Layer::Impl::_createWorld(int w, int h) {
  if (error) return;
  if (bpc == BPC::Bits32) {
    void* suite = nullptr;
    error = AEFX_AcquireSuite(in_data, out_data, kPFWorldSuite, kPFWorldSuiteVersion2, kLoadText, &suite);
    if (!error) {
      worldSuite2 = static_cast<PF_WorldSuite2*>(suite);
      error = worldSuite2->PF_NewWorld(in_data->effect_ref, w, h, 1, PF_PixelFormat_ARGB128, world);
      if (!world->data) _releaseWorldSuite();
    }
  } else {
    worldSuites.reset(new AEGP_SuiteHandler(in_data->pica_basicP));
    PF_NewWorldFlags flags = PF_NewWorldFlag_CLEAR_PIXELS | (bpc == BPC::Bits16 ? PF_NewWorldFlag_DEEP_PIXELS : 0);
    error = worldSuites->WorldSuite1()->new_world(in_data->effect_ref, w, h, flags, world);
    if (!world->data) worldSuites.reset();
  }
}

void Layer::Impl::_releaseWorldSuite() {
  if (!worldSuite2) return;
  worldSuite2 = nullptr;
  PF_Err const rel = AEFX_ReleaseSuite(in_data, out_data, kPFWorldSuite, kPFWorldSuiteVersion2, kReleaseText);
  if (!error) error = rel;
}

void Layer::Impl::_disposeWorld() {
  // Runs from the destructor: nothing may escape, and the result is not
  // reported. The suite was acquired with the world.
  if (worldSuite2) {
    worldSuite2->PF_DisposeWorld(in_data->effect_ref, world);
    _releaseWorldSuite();
  } else if (worldSuites) {
    worldSuites->WorldSuite1()->dispose_world(in_data->effect_ref, world);
    worldSuites.reset();
  }
}

// ---------------------------------------------------------------- Layer

Layer::Layer(PF_InData* in_data, PF_OutData* out_data, PF_LayerDef* world, BPC bpc)
    : m_impl(std::make_shared<Impl>(in_data, out_data, world, bpc)) {}

Layer::Layer(PF_InData* in_data, PF_OutData* out_data, int paramIndex, A_Time const& time, BPC bpc)
    : m_impl(std::make_shared<Impl>(in_data, out_data, paramIndex, time, bpc)) {}

Layer::Layer(PF_InData* in_data, PF_OutData* out_data, int width, int height, BPC bpc)
    : m_impl(std::make_shared<Impl>(in_data, out_data, width, height, bpc)) {}

PF_Err Layer::getError() const { return m_impl->error; }
PF_LayerDef* Layer::getWorld() { return m_impl->world; }
BPC Layer::getBPC() const { return m_impl->bpc; }
int Layer::getWidth() const { return m_impl->world->width; }
int Layer::getHeight() const { return m_impl->world->height; }
Rect Layer::getSize() const { return Rect(0, 0, getWidth(), getHeight()); }

ColorFloat<float> Layer::getPixel(int x, int y) {
  PF_LayerDef const& w = *m_impl->world;
  char const* row = static_cast<char const*>(w.data) + std::int64_t(y) * w.rowbytes;
  switch (m_impl->bpc) {
    case BPC::Bits8: return ColorFloat<float>(reinterpret_cast<PF_Pixel const*>(row)[x]);
    case BPC::Bits16: return ColorFloat<float>(reinterpret_cast<PF_Pixel16 const*>(row)[x]);
    case BPC::Bits32: return ColorFloat<float>(reinterpret_cast<PF_PixelFloat const*>(row)[x]);
  }
  return ColorFloat<float>();
}

bool Layer::equalTo(Layer& other) { return m_impl->world->data == other.m_impl->world->data; }

bool Layer::equalInSize(Layer& other) {
  return getWidth() == other.getWidth() && getHeight() == other.getHeight();
}

namespace {

// Fills `area` (the whole world when null) through the host.
void fillArea(Layer::Impl& m, ColorFloat<float> const& colour, PF_LRect const* area) {
  if (m.error || !m.world) return;
  AEGP_SuiteHandler suites(m.in_data->pica_basicP);
  PF_FillMatteSuite2* fm = suites.FillMatteSuite2();
  PF_Pixel p8 = aePixel8(colour);
  PF_Pixel16 p16 = aePixel16(colour);
  PF_PixelFloat p32 = aePixel32(colour);
  switch (m.bpc) {
    case BPC::Bits8:
      m.error = fm->fill(m.in_data->effect_ref, &p8, area, m.world);
      break;
    case BPC::Bits16:
      m.error = fm->fill16(m.in_data->effect_ref, &p16, area, m.world);
      break;
    case BPC::Bits32:
      m.error = fm->fill_float(m.in_data->effect_ref, &p32, area, m.world);
      break;
  }
}

// Copies `from` of m's world to `to` of `destination` (whole worlds when null).
void copyArea(Layer::Impl& m, PF_LayerDef* destination, PF_LRect* from, PF_LRect* to) {
  if (m.error || !m.world || !destination) return;
  m.error = m.in_data->utils->copy(m.in_data->effect_ref, m.world, destination, from, to);
}

}  // namespace

void Layer::fill(ColorFloat<float> const& colour) { fillArea(*m_impl, colour, nullptr); }

void Layer::fill(ColorFloat<float> const& colour, Rect const& area) {
  PF_LRect const r = aeRect(area);
  fillArea(*m_impl, colour, &r);
}

void Layer::copyTo(Layer& destination) { copyArea(*m_impl, destination.m_impl->world, nullptr, nullptr); }

void Layer::copyTo(Layer& destination, Rect& from, Rect& to) {
  PF_LRect f = aeRect(from), t = aeRect(to);
  copyArea(*m_impl, destination.m_impl->world, &f, &t);
}

void Layer::blendTo(Layer& destination, Rect& from, Vector<int>& at, double opacity, BlendMode mode, bool rgbOnly) {
  if (!(opacity > 0.0)) return;
  Impl& m = *m_impl;
  double o = opacity > 1.0 ? 1.0 : opacity;
  PF_CompositeMode cm{};  // random seed 0
  cm.xfer = aeBlendMode(mode);
  cm.opacity = static_cast<A_u_char>(255.0 * o);
  cm.rgb_only = rgbOnly ? 1 : 0;
  cm.opacitySu = static_cast<A_u_short>(32768.0 * o);
  if (m.error || !m.world || !destination.m_impl->world) return;
  PF_LRect r = aeRect(from);
  m.error = m.in_data->utils->transfer_rect(m.in_data->effect_ref, PF_Quality_HI, PF_MF_Alpha_STRAIGHT,
                                            PF_Field_FRAME, &r, m.world, &cm, nullptr, at.x, at.y,
                                            destination.m_impl->world);
}

Layer Layer::clone() {
  Impl& m = *m_impl;
  bool const pixels = m.world && m.world->data;  // none: an empty copy
  Layer copy(m.in_data, m.out_data, pixels ? m.world->width : 0, pixels ? m.world->height : 0, m.bpc);
  // No copy into a world that could not be made.
  if (!copy.m_impl->error && copy.m_impl->world->data) copyArea(m, copy.m_impl->world, nullptr, nullptr);
  return copy;
}

}  // namespace Brelo
