// Per-command suite loader. A suite is acquired from the host's basic suite
// on first use and cached; when the handler ends, every suite it acquired is
// released, on error paths too. A suite the host cannot supply raises
// MissingSuiteError carrying PF_Err_BAD_CALLBACK_PARAM (516).
#pragma once

#include <cstdint>

#include "Util/BreloHostAPI.h"
#include "Util/MissingSuiteError.h"

class AEGP_SuiteHandler {
 public:
  explicit AEGP_SuiteHandler(const SPBasicSuite* pica_basicP);
  ~AEGP_SuiteHandler();

  AEGP_SuiteHandler(AEGP_SuiteHandler const&) = delete;
  AEGP_SuiteHandler& operator=(AEGP_SuiteHandler const&) = delete;

  PF_WorldSuite1* WorldSuite1() const { return get<PF_WorldSuite1>(kWorld1); }
  PF_WorldSuite2* WorldSuite2() const { return get<PF_WorldSuite2>(kWorld2); }
  PF_FillMatteSuite2* FillMatteSuite2() const { return get<PF_FillMatteSuite2>(kFillMatte2); }
  PF_Sampling8Suite1* Sampling8Suite1() const { return get<PF_Sampling8Suite1>(kSampling8); }
  PF_Sampling16Suite1* Sampling16Suite1() const { return get<PF_Sampling16Suite1>(kSampling16); }
  PF_SamplingFloatSuite1* SamplingFloatSuite1() const { return get<PF_SamplingFloatSuite1>(kSamplingFloat); }
  PF_HandleSuite2* HandleSuite2() const { return get<PF_HandleSuite2>(kHandle2); }
  PF_ParamUtilsSuite2* ParamUtilsSuite2() const { return get<PF_ParamUtilsSuite2>(kParamUtils2); }
  AEGP_UtilitySuite7* UtilitySuite7() const { return get<AEGP_UtilitySuite7>(kUtility7); }
  AEGP_PFInterfaceSuite1* PFInterfaceSuite1() const { return get<AEGP_PFInterfaceSuite1>(kPFInterface1); }
  AEGP_StreamSuite9* StreamSuite9() const { return get<AEGP_StreamSuite9>(kStream9); }
  AEGP_EffectSuite2* EffectSuite2() const { return get<AEGP_EffectSuite2>(kEffect2); }
  AEGP_IterateSuite1* IterateSuite1() const { return get<AEGP_IterateSuite1>(kIterate1); }

 private:
  enum Slot {
    kWorld1,
    kWorld2,
    kFillMatte2,
    kSampling8,
    kSampling16,
    kSamplingFloat,
    kHandle2,
    kParamUtils2,
    kUtility7,
    kPFInterface1,
    kStream9,
    kEffect2,
    kIterate1,
    kSlotCount
  };

  template <class S>
  S* get(Slot slot) const {
    return static_cast<S*>(const_cast<void*>(acquire(slot)));
  }
  const void* acquire(Slot slot) const;

  const SPBasicSuite* m_basic;
  mutable const void* m_suites[kSlotCount] = {};
};
