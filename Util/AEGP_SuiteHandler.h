// Per-command suite loader. A suite is acquired from the host's basic suite on first use
// and cached; when the handler ends, every suite it acquired is released, on error paths
// too. A suite the host cannot supply raises MissingSuiteError carrying 516.
#pragma once

#include <cstdint>

#include "Util/BreloHostAPI.h"
#include "Util/MissingSuiteError.h"

// Every suite a handler offers as X(type, accessor, name, version): the
// effect suites, then the AEGP ones.
#define BRELO_PF_SUITES(X)                                                                             \
  X(PF_WorldSuite1, WorldSuite1, kPFWorldSuite, kPFWorldSuiteVersion1)                                 \
  X(PF_WorldSuite2, WorldSuite2, kPFWorldSuite, kPFWorldSuiteVersion2)                                 \
  X(PF_FillMatteSuite2, FillMatteSuite2, kPFFillMatteSuite, kPFFillMatteSuiteVersion2)                 \
  X(PF_Sampling8Suite1, Sampling8Suite1, kPFSampling8Suite, kPFSampling8SuiteVersion1)                 \
  X(PF_Sampling16Suite1, Sampling16Suite1, kPFSampling16Suite, kPFSampling16SuiteVersion1)             \
  X(PF_SamplingFloatSuite1, SamplingFloatSuite1, kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1) \
  X(PF_HandleSuite2, HandleSuite2, kPFHandleSuite, kPFHandleSuiteVersion2)                             \
  X(PF_ParamUtilsSuite2, ParamUtilsSuite2, kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2)
#define BRELO_AEGP_SUITES(X)                                                                           \
  X(AEGP_UtilitySuite7, UtilitySuite7, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7)                   \
  X(AEGP_PFInterfaceSuite1, PFInterfaceSuite1, kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1)   \
  X(AEGP_StreamSuite9, StreamSuite9, kAEGPStreamSuite, kAEGPStreamSuiteVersion9)                       \
  X(AEGP_EffectSuite2, EffectSuite2, kAEGPEffectSuite, kAEGPEffectSuiteVersion2)                       \
  X(AEGP_IterateSuite1, IterateSuite1, kAEGPIterateSuite, kAEGPIterateSuiteVersion1)
#define BRELO_SUITES(X) BRELO_PF_SUITES(X) BRELO_AEGP_SUITES(X)

class AEGP_SuiteHandler {
 public:
  explicit AEGP_SuiteHandler(const SPBasicSuite* pica_basicP);
  ~AEGP_SuiteHandler();

  AEGP_SuiteHandler(AEGP_SuiteHandler const&) = delete;
  AEGP_SuiteHandler& operator=(AEGP_SuiteHandler const&) = delete;

#define BRELO_SUITE_ACCESSOR(Type, accessor, name, version) \
  Type* accessor() const { return static_cast<Type*>(const_cast<void*>(acquire(k##accessor))); }
  BRELO_SUITES(BRELO_SUITE_ACCESSOR)
#undef BRELO_SUITE_ACCESSOR

 private:
#define BRELO_SUITE_SLOT(Type, accessor, name, version) k##accessor,
  enum Slot { BRELO_SUITES(BRELO_SUITE_SLOT) kSlotCount };
#undef BRELO_SUITE_SLOT

  const void* acquire(Slot slot) const;

  const SPBasicSuite* m_basic;
  mutable const void* m_suites[kSlotCount] = {};
};
