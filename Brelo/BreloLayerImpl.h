// The implementation record behind Layer; visible to the library and its tests.
#pragma once

#include <cstdint>
#include <memory>

#include "Brelo/BreloLayer.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

class Layer::Impl {
 public:
  enum Origin { kBorrowed = 0, kParameter = 1, kOwned = 2 };

  Impl(PF_InData* in_data, PF_OutData* out_data, PF_LayerDef* world, BPC bpc);
  Impl(PF_InData* in_data, PF_OutData* out_data, int paramIndex, A_Time const& time, BPC bpc);
  Impl(PF_InData* in_data, PF_OutData* out_data, int width, int height, BPC bpc);
  ~Impl();
  Impl(Impl const&) = delete;
  Impl& operator=(Impl const&) = delete;

  // Raises left/top to the bound's left/top and lowers right/bottom to the
  // bound's right/bottom where they reach past it.
  static void _limitRegion(int& left, int& top, int& right, int& bottom, Rect const& bound);

  void _createWorld(int width, int height);
  void _disposeWorld();
  void _releaseWorldSuite();

  PF_InData* in_data;
  PF_OutData* out_data;
  PF_Err error = PF_Err_NONE;
  int origin;
  BPC bpc;
  PF_LayerDef* world = nullptr;
  PF_ParamDef param{};
  bool checkedOut = false;  // origin 1: the host lent the parameter
  std::unique_ptr<PF_LayerDef> ownRecord;  // origin 2: the world record
  // Origin 2: the suite that made the world is held until it is disposed of,
  // so that a host refusing a suite late cannot strand the world.
  PF_WorldSuite2* worldSuite2 = nullptr;         // float worlds
  std::unique_ptr<AEGP_SuiteHandler> worldSuites;  // 8- and 16-bit worlds
};

}  // namespace Brelo
