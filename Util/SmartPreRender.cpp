#include "Util/SmartPreRender.h"

#include <cstring>

#include "Util/SmartRect.h"

namespace Brelo {

void requestWholeLayer(PF_InData const* in_data, PF_PreRenderExtra* extra) {
  PF_LRect& rect = extra->input->output_request.rect;
  rect.left = 0;
  rect.top = 0;
  rect.right = in_data->width;
  rect.bottom = in_data->height;
  extra->output->flags |= PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS;
}

PF_Err readControls(PF_InData* in_data, PF_ParamIndex const* order, std::size_t count, PF_ParamDef* values) {
  if (!in_data->inter.checkout_param || !in_data->inter.checkin_param) return PF_Err_BAD_CALLBACK_PARAM;
  for (std::size_t i = 0; i < count; ++i) {
    const PF_ParamIndex index = order[i];
    PF_ParamDef def;
    std::memset(&def, 0, sizeof def);
    if (PF_Err err = in_data->inter.checkout_param(in_data->effect_ref, index, in_data->current_time,
                                                   in_data->time_step, in_data->time_scale, &def)) {
      return err;
    }
    values[index] = def;
    if (PF_Err err = in_data->inter.checkin_param(in_data->effect_ref, &def)) return err;
  }
  return PF_Err_NONE;
}

PF_Err checkoutWholeInput(PF_InData const* in_data, PF_PreRenderExtra* extra) {
  if (!extra->cb || !extra->cb->checkout_layer) return PF_Err_BAD_CALLBACK_PARAM;
  PF_RenderRequest request = extra->input->output_request;
  request.preserve_rgb_of_zero_alpha = 1;
  PF_CheckoutResult checkout = {};
  if (PF_Err err = extra->cb->checkout_layer(in_data->effect_ref, 0, 0, &request, in_data->current_time,
                                             in_data->time_step, in_data->time_scale, &checkout)) {
    return err;
  }
  UnionLRect(&checkout.result_rect, &extra->output->result_rect);
  UnionLRect(&checkout.max_result_rect, &extra->output->max_result_rect);
  return PF_Err_NONE;
}

}  // namespace Brelo
