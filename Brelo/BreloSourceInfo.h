// The view of one smart-render request: bit depth, the input and output buffers with their
// origins, the downsample factors and the host's thread count. Copies share one record.
#pragma once

#include <memory>

#include "Brelo/BPC.h"
#include "Brelo/Vector.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class SourceInfo {
 public:
  // Checks out the input and output buffers and reads the input's pixel
  // format. Never fails by itself: a host failure stays in getError().
  SourceInfo(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra);

  PF_Err getError() const;
  BPC getBPC() const;
  int getWidth() const;
  int getHeight() const;
  double getDownSampleX() const;
  double getDownSampleY() const;
  // The host's thread count; 1 while an error is recorded. Records the
  // host's error; not to be called from two threads at once.
  int getThreadNum();
  PF_EffectWorld* getInputWorld() const;
  PF_EffectWorld* getOutputWorld() const;
  int getInputWidth() const;
  int getInputHeight() const;
  int getOutputWidth() const;
  int getOutputHeight() const;
  Vector<double> getInputOrigin() const;
  Vector<double> getOutputOrigin() const;

  struct Impl;

 private:
  std::shared_ptr<Impl> m_impl;
};

}  // namespace Brelo
