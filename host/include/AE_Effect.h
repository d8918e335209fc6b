// Effect interface of the compositing host: the command protocol of
// EntryPointFunc, the records the host passes with each command, pixels,
// pixel buffers ("worlds"), parameter definitions, the callbacks of PF_InData
// and the smart-render extras.
//
// Coordinates: pixel buffers are addressed from their top-left pixel; x grows
// to the right, y downwards. Rectangles hold left/top inclusive and
// right/bottom exclusive. PF_Fixed is 16.16 fixed point (65536 is 1.0).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

// ---------------------------------------------------------------- scalars
typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef char A_char;
typedef unsigned char A_u_char;
typedef unsigned char A_Boolean;
typedef int64_t A_longlong;
typedef uint64_t A_u_longlong;
typedef double A_FpLong;
typedef float A_FpShort;
typedef A_long A_Err;

typedef A_long PF_Err;
typedef A_Boolean PF_Boolean;
typedef A_long PF_Fixed;  // 16.16
typedef double PF_FpLong;
typedef float PF_FpShort;
typedef A_long PF_ParamIndex;
typedef A_long PF_ParamValue;
typedef A_long PF_Cmd;
typedef char** PF_Handle;
typedef void* PF_PixelPtr;

// Opaque reference to one effect instance, handed back to every callback.
typedef struct _PF_ProgressInfo* PF_ProgPtr;

typedef struct A_Time {
  A_long value;
  A_u_long scale;
} A_Time;

typedef struct PF_RationalScale {
  A_long num;
  A_u_long den;
} PF_RationalScale;

typedef struct PF_Point {
  A_long h, v;
} PF_Point;

typedef struct PF_LRect {
  A_long left, top, right, bottom;
} PF_LRect;
typedef PF_LRect PF_Rect;
typedef PF_LRect PF_UnionableRect;

// ---------------------------------------------------------------- errors
enum {
  PF_Err_NONE = 0,
  PF_Err_OUT_OF_MEMORY = 4,
  PF_Err_INTERNAL_STRUCT_DAMAGED = 512,
  PF_Err_INVALID_INDEX = 513,
  PF_Err_UNRECOGNIZED_PARAM_TYPE = 514,
  PF_Err_INVALID_CALLBACK = 515,
  PF_Err_BAD_CALLBACK_PARAM = 516,
  PF_Interrupt_CANCEL = 517,
  PF_Err_CANNOT_PARSE_KEYFRAME_TEXT = 518
};

// ---------------------------------------------------------------- commands
enum {
  PF_Cmd_ABOUT = 0,
  PF_Cmd_GLOBAL_SETUP,
  PF_Cmd_UNUSED_0,
  PF_Cmd_GLOBAL_SETDOWN,
  PF_Cmd_PARAMS_SETUP,
  PF_Cmd_SEQUENCE_SETUP,
  PF_Cmd_SEQUENCE_RESETUP,
  PF_Cmd_SEQUENCE_FLATTEN,
  PF_Cmd_SEQUENCE_SETDOWN,
  PF_Cmd_DO_DIALOG,
  PF_Cmd_FRAME_SETUP,
  PF_Cmd_RENDER,
  PF_Cmd_FRAME_SETDOWN,
  PF_Cmd_USER_CHANGED_PARAM,
  PF_Cmd_UPDATE_PARAMS_UI,
  PF_Cmd_EVENT,
  PF_Cmd_GET_EXTERNAL_DEPENDENCIES,
  PF_Cmd_COMPLETELY_GENERAL,
  PF_Cmd_QUERY_DYNAMIC_FLAGS,
  PF_Cmd_AUDIO_RENDER,
  PF_Cmd_AUDIO_SETUP,
  PF_Cmd_AUDIO_SETDOWN,
  PF_Cmd_ARBITRARY_CALLBACK,
  PF_Cmd_SMART_PRE_RENDER,
  PF_Cmd_SMART_RENDER,
  PF_Cmd_NUM_CMDS
};

// ---------------------------------------------------------------- versions
// Version packing: version, subversion, bug version, stage, build.
#define PF_VERSION(VERS, SUBVERS, BUGVERS, STAGE, BUILD)                              \
  ((((A_u_long)(VERS)&0x1FF) << 19) | (((A_u_long)(SUBVERS)&0xF) << 15) |            \
   (((A_u_long)(BUGVERS)&0xF) << 11) | (((A_u_long)(STAGE)&0x3) << 9) |               \
   ((A_u_long)(BUILD)&0x1FF))

enum { PF_STAGE_DEVELOP = 0, PF_STAGE_ALPHA, PF_STAGE_BETA, PF_STAGE_RELEASE };

#define PF_PLUG_IN_VERSION 13
#define PF_PLUG_IN_SUBVERS 28

typedef struct PF_SpecVersion {
  A_short major;
  A_short minor;
} PF_SpecVersion;

// ---------------------------------------------------------------- out flags
typedef A_long PF_OutFlags;
enum {
  PF_OutFlag_NONE = 0,
  PF_OutFlag_KEEP_RESOURCE_OPEN = 1L << 0,
  PF_OutFlag_WIDE_TIME_INPUT = 1L << 1,
  PF_OutFlag_NON_PARAM_VARY = 1L << 2,
  PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING = 1L << 4,
  PF_OutFlag_I_DO_DIALOG = 1L << 5,
  PF_OutFlag_USE_OUTPUT_EXTENT = 1L << 6,
  PF_OutFlag_SEND_DO_DIALOG = 1L << 7,
  PF_OutFlag_DISPLAY_ERROR_MESSAGE = 1L << 8,
  PF_OutFlag_I_EXPAND_BUFFER = 1L << 9,
  PF_OutFlag_PIX_INDEPENDENT = 1L << 10,
  PF_OutFlag_I_WRITE_INPUT_BUFFER = 1L << 11,
  PF_OutFlag_I_SHRINK_BUFFER = 1L << 12,
  PF_OutFlag_WORKS_IN_PLACE = 1L << 13,
  PF_OutFlag_CUSTOM_UI = 1L << 15,
  PF_OutFlag_REFRESH_UI = 1L << 17,
  PF_OutFlag_NOP_RENDER = 1L << 18,
  PF_OutFlag_I_USE_SHUTTER_ANGLE = 1L << 19,
  PF_OutFlag_I_USE_AUDIO = 1L << 20,
  PF_OutFlag_I_AM_OBSOLETE = 1L << 21,
  PF_OutFlag_FORCE_RERENDER = 1L << 22,
  PF_OutFlag_PiPL_OVERRIDES_OUTDATA_OUTFLAGS = 1L << 23,
  PF_OutFlag_I_HAVE_EXTERNAL_DEPENDENCIES = 1L << 24,
  PF_OutFlag_DEEP_COLOR_AWARE = 1L << 25,
  PF_OutFlag_SEND_UPDATE_PARAMS_UI = 1L << 26
};

typedef A_long PF_OutFlags2;
enum {
  PF_OutFlag2_NONE = 0,
  PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS = 1L << 0,
  PF_OutFlag2_I_USE_3D_CAMERA = 1L << 1,
  PF_OutFlag2_I_USE_3D_LIGHTS = 1L << 2,
  PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG = 1L << 3,
  PF_OutFlag2_SUPPORTS_SMART_RENDER = 1L << 10,
  PF_OutFlag2_FLOAT_COLOR_AWARE = 1L << 12,
  PF_OutFlag2_I_USE_COLORSPACE_ENUMERATION = 1L << 13
};

typedef A_long PF_InFlags;

// ---------------------------------------------------------------- pixels
// Channel order in memory is alpha, red, green, blue for all three kinds.
typedef struct PF_Pixel {  // 0..255
  A_u_char alpha, red, green, blue;
} PF_Pixel;
typedef PF_Pixel PF_Pixel8;

typedef struct PF_Pixel16 {  // 0..32768 (not 65535)
  A_u_short alpha, red, green, blue;
} PF_Pixel16;

typedef struct PF_PixelFloat {  // nominally 0..1, never limited
  PF_FpShort alpha, red, green, blue;
} PF_PixelFloat;
typedef PF_PixelFloat PF_Pixel32;

// Pixel formats: four characters, low byte first.
typedef A_long PF_PixelFormat;
enum {
  PF_PixelFormat_ARGB32 = 1650946657,   // 'a','r','g','b': 8 bits
  PF_PixelFormat_ARGB64 = 909206881,    // 'a','e','1','6': 16 bits
  PF_PixelFormat_ARGB128 = 842229089,   // 'a','e','3','2': float
  PF_PixelFormat_BGRA32 = 1634887522,   // 'b','g','r','a': 8 bits
  PF_PixelFormat_BGRA128 = 1634879298,  // 'B','G','r','a': float
  PF_PixelFormat_INVALID = 1717854562   // 'b','a','d','f'
};

// ---------------------------------------------------------------- worlds
typedef A_long PF_WorldFlags;
enum {
  PF_WorldFlag_DEEP = 1L << 0,       // 16-bit pixels
  PF_WorldFlag_WRITEABLE = 1L << 1,
  PF_WorldFlag_RESERVED0 = 1L << 24,
  PF_WorldFlag_RESERVED1 = 1L << 25
};

typedef A_long PF_NewWorldFlags;
enum {
  PF_NewWorldFlag_NONE = 0,
  PF_NewWorldFlag_CLEAR_PIXELS = 1L << 0,
  PF_NewWorldFlag_DEEP_PIXELS = 1L << 1
};

// One pixel buffer. Pixel (x, y) lies y * rowbytes bytes after `data`, x
// pixels into that row; rowbytes may exceed width times the pixel size.
// origin_x/origin_y: where pixel (0, 0) lies in layer coordinates.
typedef struct PF_LayerDef {
  void* reserved0;  // host's own use
  void* reserved1;  // host's own use
  PF_WorldFlags world_flags;
  PF_PixelPtr data;
  A_long rowbytes;
  A_long width;
  A_long height;
  PF_UnionableRect extent_hint;
  void* platform_ref;
  A_long reserved_long1;
  PF_RationalScale pix_aspect_ratio;
  A_long origin_x;
  A_long origin_y;
  A_long reserved_long2;
} PF_LayerDef;
typedef PF_LayerDef PF_EffectWorld;

// ---------------------------------------------------------------- transfer
typedef A_long PF_TransferMode;
enum {
  PF_Xfer_NONE = -1,
  PF_Xfer_COPY = 0,
  PF_Xfer_BEHIND = 1,
  PF_Xfer_IN_FRONT = 2,
  PF_Xfer_DISSOLVE = 3,
  PF_Xfer_ADD = 4,
  PF_Xfer_MULTIPLY = 5,
  PF_Xfer_SCREEN = 6,
  PF_Xfer_OVERLAY = 7,
  PF_Xfer_SOFT_LIGHT = 8,
  PF_Xfer_HARD_LIGHT = 9,
  PF_Xfer_DARKEN = 10,
  PF_Xfer_LIGHTEN = 11,
  PF_Xfer_DIFFERENCE = 12,
  PF_Xfer_HUE = 13,
  PF_Xfer_SATURATION = 14,
  PF_Xfer_COLOR = 15,
  PF_Xfer_LUMINOSITY = 16,
  PF_Xfer_MULTIPLY_ALPHA = 17,
  PF_Xfer_MULTIPLY_ALPHA_LUMA = 18,
  PF_Xfer_MULTIPLY_NOT_ALPHA = 19,
  PF_Xfer_MULTIPLY_NOT_ALPHA_LUMA = 20,
  PF_Xfer_ADDITIVE_PREMUL = 21,
  PF_Xfer_ALPHA_ADD = 22,
  PF_Xfer_COLOR_DODGE = 23,
  PF_Xfer_COLOR_BURN = 24,
  PF_Xfer_EXCLUSION = 25,
  PF_Xfer_DIFFERENCE2 = 26,
  PF_Xfer_COLOR_DODGE2 = 27,
  PF_Xfer_COLOR_BURN2 = 28
};

typedef struct PF_CompositeMode {
  PF_TransferMode xfer;
  A_long rand_seed;     // for dissolve
  A_u_char opacity;     // 0..255
  PF_Boolean rgb_only;  // leave the destination's alpha unchanged
  A_u_short opacitySu;  // 0..32768, used for 16-bit worlds
} PF_CompositeMode;

typedef struct PF_MaskWorld {
  PF_EffectWorld mask;
  PF_Point offset;
  A_long what_is_mask;
} PF_MaskWorld;

typedef A_long PF_Quality;
enum { PF_Quality_DRAWING_AUDIO = -1, PF_Quality_LO = 0, PF_Quality_HI = 1 };

typedef A_long PF_ModeFlags;
enum {
  PF_MF_Alpha_PREMUL = 0,
  PF_MF_Alpha_STRAIGHT = 1L << 0
};

typedef A_long PF_Field;
enum { PF_Field_FRAME = 0, PF_Field_UPPER = 1, PF_Field_LOWER = 2 };

// ---------------------------------------------------------------- parameters
typedef A_long PF_ParamType;
enum {
  PF_Param_RESERVED = -1,
  PF_Param_LAYER = 0,
  PF_Param_SLIDER = 2,
  PF_Param_FIX_SLIDER = 3,
  PF_Param_ANGLE = 4,
  PF_Param_CHECKBOX = 5,
  PF_Param_COLOR = 6,
  PF_Param_POINT = 7,
  PF_Param_POPUP = 8,
  PF_Param_CUSTOM = 9,
  PF_Param_NO_DATA = 10,
  PF_Param_FLOAT_SLIDER = 11,
  PF_Param_ARBITRARY_DATA = 12,
  PF_Param_PATH = 13,
  PF_Param_GROUP_START = 14,
  PF_Param_GROUP_END = 15,
  PF_Param_BUTTON = 16
};

typedef A_long PF_ParamFlags;
enum {
  PF_ParamFlag_RESERVED1 = 1L << 0,
  PF_ParamFlag_CANNOT_TIME_VARY = 1L << 1,
  PF_ParamFlag_CANNOT_INTERP = 1L << 2,
  PF_ParamFlag_RESERVED2 = 1L << 3,
  PF_ParamFlag_RESERVED3 = 1L << 4,
  PF_ParamFlag_START_COLLAPSED = 1L << 5,
  PF_ParamFlag_SUPERVISE = 1L << 6,
  PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS = 1L << 7
};

typedef A_long PF_ParamUIFlags;
enum {
  PF_PUI_NONE = 0,
  PF_PUI_TOPIC = 1L << 0,
  PF_PUI_CONTROL = 1L << 1,
  PF_PUI_STD_CONTROL_ONLY = 1L << 2,
  PF_PUI_NO_ECW_UI = 1L << 3,
  PF_PUI_ECW_SEPARATOR = 1L << 4,
  PF_PUI_DISABLED = 1L << 5,
  PF_PUI_DONT_ERASE_TOPIC = 1L << 6,
  PF_PUI_DONT_ERASE_CONTROL = 1L << 7,
  PF_PUI_RADIO_BUTTON = 1L << 8,
  PF_PUI_INVISIBLE = 1L << 9
};

typedef A_long PF_ChangeFlags;
enum { PF_ChangeFlag_NONE = 0, PF_ChangeFlag_CHANGED_VALUE = 1L << 0 };

typedef A_short PF_ValueDisplayFlags;
enum { PF_ValueDisplayFlag_NONE = 0, PF_ValueDisplayFlag_PERCENT = 1 << 0, PF_ValueDisplayFlag_PIXEL = 1 << 1 };

enum { PF_Precision_INTEGER = 0, PF_Precision_TENTHS = 1, PF_Precision_HUNDREDTHS = 2, PF_Precision_THOUSANDTHS = 3 };

typedef A_u_long PF_FSliderFlags;
enum { PF_FSliderFlag_NONE = 0, PF_FSliderFlag_WANT_PHASE = 1L << 0 };

#define PF_MAX_EFFECT_NAME_LEN 31
#define PF_MAX_EFFECT_PARAM_NAME_LEN 31
#define PF_MAX_EFFECT_MSG_LEN 255

// Every value record below starts with its value, so the first 32-bit word
// of PF_ParamDefUnion is the value of every 32-bit kind.
typedef struct PF_SliderDef {  // integer slider
  PF_ParamValue value;
  A_char value_str[32];
  A_char value_desc[32];
  PF_ParamValue valid_min, valid_max;
  PF_ParamValue slider_min, slider_max;
  PF_ParamValue dephault;
} PF_SliderDef;

typedef struct PF_FixedSliderDef {  // 16.16 values
  PF_Fixed value;
  A_char value_str[32];
  A_char value_desc[32];
  PF_Fixed valid_min, valid_max;
  PF_Fixed slider_min, slider_max;
  PF_Fixed dephault;
  A_short precision;
  PF_ValueDisplayFlags display_flags;
} PF_FixedSliderDef;

typedef struct PF_FloatSliderDef {
  PF_FpLong value;
  PF_FpLong phase;
  A_char value_desc[32];
  PF_FpShort valid_min, valid_max;
  PF_FpShort slider_min, slider_max;
  PF_FpShort dephault;
  A_short precision;
  PF_ValueDisplayFlags display_flags;
  PF_FSliderFlags fs_flags;
  PF_FpShort curve_tolerance;
} PF_FloatSliderDef;

typedef struct PF_AngleDef {  // 16.16 degrees
  PF_Fixed value;
  PF_Fixed dephault;
  PF_Fixed valid_min, valid_max;
} PF_AngleDef;

typedef struct PF_CheckBoxDef {
  PF_ParamValue value;
  PF_Boolean dephault;
  A_char reserved;
  A_short reserved1;
  const A_char* nameptr;  // label shown beside the box
} PF_CheckBoxDef;

typedef struct PF_ColorDef {
  PF_Pixel value;
  PF_Pixel dephault;
} PF_ColorDef;

typedef struct PF_PointDef {  // 16.16 pixels; defaults in percent of the layer
  PF_Fixed x_value;
  PF_Fixed y_value;
  A_char reserved[3];
  PF_Boolean restrict_bounds;
  PF_Fixed x_dephault;
  PF_Fixed y_dephault;
} PF_PointDef;

typedef struct PF_PopupDef {  // values 1-based
  PF_ParamValue value;
  A_short num_choices;
  A_short dephault;
  const A_char* namesptr;  // entries joined by '|'; "(-" is a separator
} PF_PopupDef;

typedef union PF_ParamDefUnion {
  PF_LayerDef ld;
  PF_SliderDef sd;
  PF_FixedSliderDef fd;
  PF_AngleDef ad;
  PF_CheckBoxDef bd;
  PF_ColorDef cd;
  PF_PointDef td;
  PF_PopupDef pd;
  PF_FloatSliderDef fs_d;
} PF_ParamDefUnion;

typedef struct PF_ParamDef {
  union {
    A_long id;
    PF_ChangeFlags change_flags;
  } uu;
  PF_ParamUIFlags ui_flags;
  A_short ui_width;
  A_short ui_height;
  PF_ParamType param_type;
  A_char name[PF_MAX_EFFECT_PARAM_NAME_LEN + 1];
  PF_ParamFlags flags;
  A_long unused;
  PF_ParamDefUnion u;
} PF_ParamDef;
typedef PF_ParamDef* PF_ParamDefPtr;
typedef PF_ParamDef** PF_ParamList;

// ---------------------------------------------------------------- callbacks
typedef struct PF_InteractCallbacks {
  PF_Err (*checkout_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long what_time, A_long time_step,
                           A_u_long time_scale, PF_ParamDef* param);
  PF_Err (*checkin_param)(PF_ProgPtr effect_ref, PF_ParamDef* param);
  PF_Err (*add_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, PF_ParamDefPtr def);
  PF_Err (*abort)(PF_ProgPtr effect_ref);
  PF_Err (*progress)(PF_ProgPtr effect_ref, A_long current, A_long total);
} PF_InteractCallbacks;

typedef struct PF_ANSICallbacks {
  A_FpLong (*atan)(A_FpLong);
  A_FpLong (*atan2)(A_FpLong y, A_FpLong x);
  A_FpLong (*ceil)(A_FpLong);
  A_FpLong (*cos)(A_FpLong);
  A_FpLong (*exp)(A_FpLong);
  A_FpLong (*fabs)(A_FpLong);
  A_FpLong (*floor)(A_FpLong);
  A_FpLong (*fmod)(A_FpLong x, A_FpLong y);
  A_FpLong (*hypot)(A_FpLong x, A_FpLong y);
  A_FpLong (*log)(A_FpLong);
  A_FpLong (*log10)(A_FpLong);
  A_FpLong (*pow)(A_FpLong x, A_FpLong y);
  A_FpLong (*sin)(A_FpLong);
  A_FpLong (*sqrt)(A_FpLong);
  A_FpLong (*tan)(A_FpLong);
  int (*sprintf)(A_char* buffer, const A_char* format, ...);
  A_char* (*strcpy)(A_char* dst, const A_char* src);
  A_FpLong (*asin)(A_FpLong);
  A_FpLong (*acos)(A_FpLong);
} PF_ANSICallbacks;

typedef struct PF_UtilCallbacks {
  // Copies src_r of src into dst_r of dst, scaling when the sizes differ; null
  // rectangles mean the whole world.
  PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* src_r,
                 PF_Rect* dst_r);
  // Composites src_rec of src_world onto dst_world with its top-left corner at
  // (dest_x, dest_y), in the transfer mode and opacity of comp_mode.
  PF_Err (*transfer_rect)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags, PF_Field field,
                          const PF_Rect* src_rec, const PF_EffectWorld* src_world,
                          const PF_CompositeMode* comp_mode, const PF_MaskWorld* mask_world0, A_long dest_x,
                          A_long dest_y, PF_EffectWorld* dst_world);
  PF_ANSICallbacks ansi;
} PF_UtilCallbacks;

// ---------------------------------------------------------------- in/out data
typedef struct PF_InData {
  PF_InteractCallbacks inter;
  PF_UtilCallbacks* utils;
  PF_ProgPtr effect_ref;
  PF_Quality quality;
  A_u_long version;  // PF_VERSION of the host's effect interface
  A_long serial_num;
  A_long appl_id;
  A_long num_params;
  A_long current_time;
  A_long time_step;
  A_long total_time;
  A_long local_time_step;
  A_u_long time_scale;
  PF_Field field;
  PF_Fixed shutter_angle;
  A_long width;   // layer size, pixels at this downsample
  A_long height;
  PF_Rect extent_hint;
  A_long output_origin_x;
  A_long output_origin_y;
  PF_RationalScale downsample_x;
  PF_RationalScale downsample_y;
  PF_RationalScale pixel_aspect_ratio;
  PF_InFlags in_flags;
  PF_Handle global_data;
  PF_Handle sequence_data;
  PF_Handle frame_data;
  SPBasicSuite* pica_basicP;
  A_long pre_effect_source_origin_x;
  A_long pre_effect_source_origin_y;
} PF_InData;

typedef struct PF_OutData {
  A_u_long my_version;
  A_char name[PF_MAX_EFFECT_NAME_LEN + 1];
  PF_Handle global_data;
  A_long num_params;
  PF_Handle sequence_data;
  A_long flat_sdata_size;
  PF_Handle frame_data;
  A_long width;
  A_long height;
  PF_Point origin;
  PF_OutFlags out_flags;
  A_char return_msg[PF_MAX_EFFECT_MSG_LEN + 1];
  PF_OutFlags2 out_flags2;
} PF_OutData;

// Extra of PF_Cmd_USER_CHANGED_PARAM.
typedef struct PF_UserChangedParamExtra {
  PF_ParamIndex param_index;
} PF_UserChangedParamExtra;

// ---------------------------------------------------------------- smart render
typedef A_long PF_ChannelMask;
enum {
  PF_ChannelMask_ALPHA = 1L << 0,
  PF_ChannelMask_RED = 1L << 1,
  PF_ChannelMask_GREEN = 1L << 2,
  PF_ChannelMask_BLUE = 1L << 3,
  PF_ChannelMask_ARGB = 15
};

typedef struct PF_RenderRequest {
  PF_LRect rect;
  PF_Field field;
  PF_ChannelMask channel_mask;
  PF_Boolean preserve_rgb_of_zero_alpha;
  char unused[3];
  A_long reserved[4];
} PF_RenderRequest;

typedef struct PF_CheckoutResult {
  PF_LRect result_rect;
  PF_LRect max_result_rect;
  PF_RationalScale par;
  A_long solid;
  PF_Boolean reservedB[3];
  A_long ref_width;
  A_long ref_height;
  A_long reserved[6];
} PF_CheckoutResult;

typedef A_short PF_RenderOutputFlags;
enum {
  PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS = 1 << 0,
  PF_RenderOutputFlag_GPU_RENDER_POSSIBLE = 1 << 1,
  PF_RenderOutputFlag_RESERVED1 = 1 << 2
};

// Called by the host to dispose of pre-render data after the frame.
typedef void (*PF_DeletePreRenderDataFunc)(void* pre_render_data);

typedef struct PF_PreRenderInput {
  PF_RenderRequest output_request;
  A_short bitdepth;
  const void* gpu_data;
  A_long what_gpu;
  A_u_long device_index;
} PF_PreRenderInput;

typedef struct PF_PreRenderOutput {
  PF_LRect result_rect;
  PF_LRect max_result_rect;
  PF_Boolean solid;
  PF_Boolean reserved;
  PF_RenderOutputFlags flags;
  void* pre_render_data;
  PF_DeletePreRenderDataFunc delete_pre_render_data_func;
} PF_PreRenderOutput;

typedef struct PF_PreRenderCallbacks {
  PF_Err (*checkout_layer)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long checkout_idL,
                           const PF_RenderRequest* req, A_long what_time, A_long time_step, A_u_long time_scale,
                           PF_CheckoutResult* checkout_result);
} PF_PreRenderCallbacks;

typedef struct PF_PreRenderExtra {
  PF_PreRenderInput* input;
  PF_PreRenderOutput* output;
  PF_PreRenderCallbacks* cb;
} PF_PreRenderExtra;

typedef struct PF_SmartRenderInput {
  PF_RenderRequest output_request;
  A_short bitdepth;
  void* pre_render_data;  // what pre-render stored, handed back
  const void* gpu_data;
  A_long what_gpu;
  A_u_long device_index;
} PF_SmartRenderInput;

typedef struct PF_SmartRenderCallbacks {
  PF_Err (*checkout_layer_pixels)(PF_ProgPtr effect_ref, A_long checkout_idL, PF_EffectWorld** pixels);
  PF_Err (*checkin_layer_pixels)(PF_ProgPtr effect_ref, A_long checkout_idL);
  PF_Err (*checkout_output)(PF_ProgPtr effect_ref, PF_EffectWorld** output);
} PF_SmartRenderCallbacks;

typedef struct PF_SmartRenderExtra {
  PF_SmartRenderInput* input;
  PF_SmartRenderCallbacks* cb;
} PF_SmartRenderExtra;

// ---------------------------------------------------------------- entry point
#if defined(_WIN32)
#define DllExport __declspec(dllexport)
#else
#define DllExport __attribute__((visibility("default")))
#endif

typedef PF_Err (*PF_EntryPointFunc)(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                    PF_ParamDef* params[], PF_LayerDef* output, void* extra);

#ifdef __cplusplus
}
#endif
