// Drives one plug-in through the commands a host sends it:
//
//   Sim::Session s(EntryPointFunc);
//   s.setInput(image);
//   s.setup();                     // global set-up, parameter set-up, UI update
//   s.setValue(5, 300.0);
//   auto r = s.render(0, Sim::Depth::Bits16, {1, 2});
//   EXPECT_EQ(r.err, 0);
//
// The session owns the Host (one at a time) and one effect instance, or
// drives an instance of its own in a host shared with other sessions, each
// session on a thread of its own. Global set-down is sent when the session
// ends, if set-up succeeded and no one sent it yet.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "brelo_host/FrameIO.h"
#include "brelo_host/Host.h"
#include "brelo_host/Image.h"
#include "brelo_host/Instance.h"

namespace Brelo {
namespace Sim {

struct Frame;

struct CommandResult {
  PF_Err err = PF_Err_NONE;
  std::string return_msg;
  PF_OutFlags out_flags = 0;
  PF_OutFlags2 out_flags2 = 0;
  A_u_long my_version = 0;
  A_long num_params = 0;
};

// One checkout_layer call of smart pre-render.
struct LayerRequest {
  PF_ParamIndex index = 0;
  A_long checkout_id = 0;
  PF_RenderRequest request{};
  A_long what_time = 0, time_step = 0;
  A_u_long time_scale = 0;
};

// Where a render's output pixels go.
enum class OutputAs {
  Image,  // copied into RenderResult::image
  World,  // the output world itself, in RenderResult::world
};

struct RenderResult : CommandResult {
  PF_Err preRenderErr = PF_Err_NONE;  // err is the first failure of the two commands
  bool rendered = false;              // smart render ran
  Image image;                        // the output world's pixels (padding stripped)
  HostWorld world;                    // or the output world, with OutputAs::World
  int originX = 0, originY = 0;       // output world's origin
  PF_LRect result_rect{}, max_result_rect{};
  PF_RenderOutputFlags flags = 0;
  std::vector<LayerRequest> layerRequests;
  bool paddingIntact = true;   // every world handed out kept its padding
  bool inputUntouched = true;  // the layer pixels handed out were not written
};

class Session {
 public:
  // `entry` may be null for a session that only opens command scopes.
  explicit Session(PF_EntryPointFunc entry, int layerWidth = 64, int layerHeight = 48);
  // An instance of its own in `host`, removed when the session ends; the
  // host must outlive the session.
  Session(Host& host, PF_EntryPointFunc entry, int layerWidth, int layerHeight);
  ~Session();
  Session(Session const&) = delete;
  Session& operator=(Session const&) = delete;

  Host& host() { return *m_host; }
  Instance& instance() { return *m_instance; }

  void setInput(Image const& image) { m_instance->setLayer(image); }
  void setInput(Image&& image) { m_instance->setLayer(std::move(image)); }
  void setInputOrigin(int x, int y) { m_instance->setInputOrigin(x, y); }
  void setValue(int index, double v) { m_instance->setValue(index, v); }
  void setPoint(int index, double x, double y) { m_instance->setPoint(index, x, y); }
  void setColor(int index, PF_Pixel c) { m_instance->setColor(index, c); }
  // The rectangle smart pre-render is asked for (layer pixels at the render's
  // downsample); default: the whole layer.
  void setRenderRequest(PF_LRect r) { m_request = r, m_hasRequest = true; }

  // ---- commands
  CommandResult about();
  CommandResult globalSetup();
  CommandResult paramsSetup();
  CommandResult updateParamsUI();
  // The host's current parameter array goes in `params`; values the plug-in
  // writes back into params[i]->u are taken over where it flags
  // PF_ChangeFlag_CHANGED_VALUE.
  CommandResult userChangedParam(int index, A_long time = 0);
  CommandResult globalSetdown();
  // Global set-up, parameter set-up and a UI update, stopping at the first error.
  CommandResult setup();
  // Smart pre-render, then (when it succeeded and the result is not empty)
  // smart render, of the frame at `time`; then the pre-render data is
  // deleted through the plug-in's deletion routine, if it gave one.
  // With OutputAs::World the output world itself is handed on in r.world
  // (no copy; r.image stays empty) and lives until r.world goes, which must
  // be before the session ends.
  RenderResult render(A_long time, Depth depth, Downsample ds = {}, OutputAs as = OutputAs::Image);
  // The same with the layer's pixels written by `io` and the output read by
  // it: the result's image stays empty, and writes into the layer are not
  // caught (the host keeps no copy to compare with).
  RenderResult render(A_long time, Depth depth, Downsample ds, FrameIO& io);

  // ---- hand-driven commands, for testing plug-in code without a plug-in.
  // While a scope lives, its records are those of a command in progress.
  class Scope {
   public:
    ~Scope();
    Scope(Scope const&) = delete;
    Scope& operator=(Scope const&) = delete;
    PF_InData* in_data();
    PF_OutData* out_data();
    PF_ParamDef** params();
    PF_SmartRenderExtra* smartExtra();  // smart render scopes
    PF_PreRenderExtra* preRenderExtra();  // smart pre-render scopes

   private:
    friend class Session;
    explicit Scope(std::unique_ptr<Frame> f);
    std::unique_ptr<Frame> m_frame;
  };
  // A smart render in progress, the input layer already requested under
  // checkout id 0 as a pre-render would have.
  std::unique_ptr<Scope> beginSmartRender(A_long time, Depth depth, Downsample ds = {});
  // Any other command (no render state).
  std::unique_ptr<Scope> beginCommand(PF_Cmd cmd, A_long time = 0, Depth depth = Depth::Bits8,
                                      Downsample ds = {});

 private:
  CommandResult run(PF_Cmd cmd, Frame& f, void* extra);
  std::unique_ptr<Frame> makeFrame(PF_Cmd cmd, A_long time, Depth depth, Downsample ds, bool render, FrameIO* io);
  RenderResult render(A_long time, Depth depth, Downsample ds, FrameIO* io, OutputAs as);

  std::unique_ptr<Host> m_ownHost;  // null when the host is shared
  Host* m_host = nullptr;
  Instance* m_instance = nullptr;
  PF_EntryPointFunc m_entry = nullptr;
  bool m_globalUp = false;
  PF_LRect m_request{};
  bool m_hasRequest = false;
};

}  // namespace Sim
}  // namespace Brelo
