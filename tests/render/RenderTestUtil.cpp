#include "RenderTestUtil.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "brelo_host/Module.h"
#include "brelo_host/Session.h"
#include "brelo_image/ImageFile.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/TestCard.h"

extern char** environ;

namespace RenderTest {

namespace {

struct Running {
  pid_t pid = -1;
  std::string outPath, errPath;
};

Running start(std::vector<std::string> const& args, std::string const& dir) {
  static int serial = 0;
  Running run;
  run.outPath = dir + "/../" + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".stdout";
  run.errPath = run.outPath.substr(0, run.outPath.size() - 7) + ".stderr";
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, run.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, run.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&fa, dir.c_str());
  std::vector<std::string> all;
  all.push_back(BRELO_RENDER_EXE);
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  if (posix_spawn(&run.pid, BRELO_RENDER_EXE, &fa, nullptr, argv.data(), environ) != 0) run.pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return run;
}

RunResult finish(Running const& run) {
  RunResult r;
  if (run.pid > 0) {
    int status = 0;
    waitpid(run.pid, &status, 0);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  r.out = readFile(run.outPath);
  r.err = readFile(run.errPath);
  unlink(run.outPath.c_str());
  unlink(run.errPath.c_str());
  return r;
}

}  // namespace

RunResult runTool(std::vector<std::string> const& args, std::string const& dir) { return finish(start(args, dir)); }

std::vector<RunResult> runToolsAtOnce(std::vector<std::vector<std::string>> const& argLists, std::string const& dir) {
  std::vector<Running> running;
  for (auto const& args : argLists) running.push_back(start(args, dir));
  std::vector<RunResult> results;
  for (Running const& run : running) results.push_back(finish(run));
  return results;
}

void expectToolRendersAsTheHost(std::string const& module, std::string const& effect,
                                std::vector<std::string> const& sets) {
  using namespace Brelo;
  TempDir dir;
  for (Sim::Depth depth : {Sim::Depth::Bits8, Sim::Depth::Bits16, Sim::Depth::Bits32}) {
    SCOPED_TRACE(Sim::depthName(depth));
    // An input at the render's depth, so that the tool lends it; TIFF holds every depth exactly.
    const Sim::Image input = Render::makeTestCard(72, 40).converted(depth);
    ImageIO::writeImage(input, dir / "in.tif");
    std::vector<std::string> a = {"--plugin",
                                  module,
                                  "-i",
                                  "in.tif",
                                  "-t",
                                  "0.5",
                                  "-q",
                                  "-o",
                                  "out.tif",
                                  "-d",
                                  depth == Sim::Depth::Bits8    ? "8"
                                  : depth == Sim::Depth::Bits16 ? "16"
                                                                : "32"};
    for (std::string const& set : sets) a.insert(a.end(), {"-s", set});
    RunResult r = runTool(a, dir.path());
    ASSERT_EQ(r.code, 0) << r.err;

    Sim::Module m(module);
    Sim::Session session(m.entry(), input.width(), input.height());
    session.setInput(input);
    Render::EffectControls controls(session, effect, Render::TimeBase(), {input.width(), input.height()});
    for (std::string const& set : sets) controls.assign(set);
    controls.refreshUI();
    Sim::RenderResult expected = session.render(Render::TimeBase().frameTime(15), depth);
    ASSERT_EQ(expected.err, 0);
    EXPECT_TRUE(ImageIO::readImage(dir / "out.tif") == expected.image);
  }
}

}  // namespace RenderTest
