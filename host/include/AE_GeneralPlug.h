// The host's AEGP suites used by the effects: registration, effect and stream
// references, expressions, and the host's rendering thread count.
#pragma once

#include "AE_Effect.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef A_long AEGP_PluginID;
typedef void* AEGP_GlobalRefcon;
typedef struct _AEGP_EffectRefH* AEGP_EffectRefH;
typedef struct _AEGP_StreamRefH* AEGP_StreamRefH;

#define kAEGPUtilitySuite "AEGP Utility Suite"
#define kAEGPUtilitySuiteVersion7 7
typedef struct AEGP_UtilitySuite7 {
  // Writes the new plug-in ID into *plugin_id.
  A_Err (*AEGP_RegisterWithAEGP)(AEGP_GlobalRefcon global_refcon, const A_char* plugin_name,
                                 AEGP_PluginID* plugin_id);
} AEGP_UtilitySuite7;

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1
typedef struct AEGP_PFInterfaceSuite1 {
  // A new reference to the effect instance; dispose of it with AEGP_DisposeEffect.
  A_Err (*AEGP_GetNewEffectForEffect)(AEGP_PluginID aegp_plugin_id, PF_ProgPtr effect_ref,
                                      AEGP_EffectRefH* effect);
} AEGP_PFInterfaceSuite1;

#define kAEGPStreamSuite "AEGP Stream Suite"
#define kAEGPStreamSuiteVersion9 9
typedef struct AEGP_StreamSuite9 {
  // Stream of the effect's control `param_index` (index into the host's array,
  // 0 being the layer); dispose of it with AEGP_DisposeStream.
  A_Err (*AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID aegp_plugin_id, AEGP_EffectRefH effect,
                                          PF_ParamIndex param_index, AEGP_StreamRefH* stream);
  A_Err (*AEGP_DisposeStream)(AEGP_StreamRefH stream);
  // Replaces the stream's expression with `expression` (8-bit text).
  A_Err (*AEGP_SetExpression)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH stream, const A_char* expression);
} AEGP_StreamSuite9;

#define kAEGPEffectSuite "AEGP Effect Suite"
#define kAEGPEffectSuiteVersion2 2
typedef struct AEGP_EffectSuite2 {
  A_Err (*AEGP_DisposeEffect)(AEGP_EffectRefH effect);
} AEGP_EffectSuite2;

#define kAEGPIterateSuite "AEGP Iterate Suite"
#define kAEGPIterateSuiteVersion1 1
typedef struct AEGP_IterateSuite1 {
  A_Err (*AEGP_GetNumThreads)(A_long* num_threads);
} AEGP_IterateSuite1;

#ifdef __cplusplus
}
#endif
