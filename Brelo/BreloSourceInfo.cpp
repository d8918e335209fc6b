#include "Brelo/BreloSourceInfo.h"

#include "Util/AEFX_SuiteHelper.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

struct SourceInfo::Impl {
  explicit Impl(PF_InData* in) : in_data(in), suites(in->pica_basicP) {}

  PF_Err error = PF_Err_NONE;
  PF_InData* in_data;
  // A format outside the known ones, or an earlier failure, reads as 8 bits:
  // the smallest pixel never reads past a buffer.
  BPC bpc = BPC::Bits8;
  PF_EffectWorld* input = nullptr;
  PF_EffectWorld* output = nullptr;
  AEGP_SuiteHandler suites;
};

namespace {

BPC depthOf(PF_PixelFormat format) {
  switch (format) {
    case PF_PixelFormat_ARGB128:
    case PF_PixelFormat_BGRA128:
      return BPC::Bits32;
    case PF_PixelFormat_ARGB64:
      return BPC::Bits16;
    default:
      return BPC::Bits8;  // ARGB32, BGRA32 and anything unknown
  }
}

double ratio(PF_RationalScale const& s) {
  return static_cast<double>(static_cast<A_long>(s.num)) / static_cast<double>(static_cast<A_u_long>(s.den));
}

}  // namespace

SourceInfo::SourceInfo(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra)
    : m_impl(std::make_shared<Impl>(in_data)) {
  Impl& m = *m_impl;
  PF_SmartRenderCallbacks* cb = extra->cb;
  m.error = cb->checkout_layer_pixels(in_data->effect_ref, 0, &m.input);
  // A checkout that succeeds without a buffer would hand null worlds on.
  if (!m.error && !m.input) m.error = PF_Err_BAD_CALLBACK_PARAM;
  if (!m.error) m.error = cb->checkout_output(in_data->effect_ref, &m.output);
  if (!m.error && !m.output) m.error = PF_Err_BAD_CALLBACK_PARAM;
  if (m.error) return;

  void* suite = nullptr;
  m.error = AEFX_AcquireSuite(in_data, out_data, kPFWorldSuite, kPFWorldSuiteVersion2, "Couldn't load suite.", &suite);
  if (m.error) return;
  PF_PixelFormat format = PF_PixelFormat_INVALID;
  m.error = static_cast<PF_WorldSuite2*>(suite)->PF_GetPixelFormat(m.input, &format);
  if (!m.error) m.bpc = depthOf(format);
  PF_Err rel = AEFX_ReleaseSuite(in_data, out_data, kPFWorldSuite, kPFWorldSuiteVersion2, "Couldn't release suite.");
  if (!m.error) m.error = rel;
}

PF_Err SourceInfo::getError() const { return m_impl->error; }
BPC SourceInfo::getBPC() const { return m_impl->bpc; }
int SourceInfo::getWidth() const { return m_impl->in_data->width; }
int SourceInfo::getHeight() const { return m_impl->in_data->height; }

double SourceInfo::getDownSampleX() const { return ratio(m_impl->in_data->downsample_x); }
double SourceInfo::getDownSampleY() const { return ratio(m_impl->in_data->downsample_y); }

int SourceInfo::getThreadNum() {
  Impl& m = *m_impl;
  if (m.error) return 1;
  A_long n = 1;
  m.error = m.suites.IterateSuite1()->AEGP_GetNumThreads(&n);
  return m.error ? 1 : n;
}

PF_EffectWorld* SourceInfo::getInputWorld() const { return m_impl->input; }
PF_EffectWorld* SourceInfo::getOutputWorld() const { return m_impl->output; }
int SourceInfo::getInputWidth() const { return m_impl->input->width; }
int SourceInfo::getInputHeight() const { return m_impl->input->height; }
int SourceInfo::getOutputWidth() const { return m_impl->output->width; }
int SourceInfo::getOutputHeight() const { return m_impl->output->height; }

Vector<double> SourceInfo::getInputOrigin() const {
  return Vector<double>(m_impl->input->origin_x, m_impl->input->origin_y);
}
Vector<double> SourceInfo::getOutputOrigin() const {
  return Vector<double>(m_impl->output->origin_x, m_impl->output->origin_y);
}

}  // namespace Brelo
