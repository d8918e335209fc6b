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

// Starts argv[0] (a path, or a name looked up in PATH) with no input in
// `dir`, stdout and stderr to files of their own; pid -1 when it cannot start.
Running start(std::vector<std::string> const& argv, std::string const& dir, std::vector<std::string> const& env) {
  static int serial = 0;
  Running run;
  run.outPath = dir + "/../" + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".stdout";
  run.errPath = run.outPath.substr(0, run.outPath.size() - 7) + ".stderr";
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, run.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, run.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&fa, dir.c_str());
  std::vector<std::string> all = argv;
  std::vector<char*> args;
  for (std::string& a : all) args.push_back(&a[0]);
  args.push_back(nullptr);
  // The environment as it is, with `env` replacing entries of the same name.
  std::vector<std::string> vars = env;
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    std::string name = v.substr(0, v.find('='));
    bool replaced = false;
    for (std::string const& x : env) replaced = replaced || x.compare(0, name.size() + 1, name + "=") == 0;
    if (!replaced) vars.push_back(v);
  }
  std::vector<char*> envp;
  for (std::string& v : vars) envp.push_back(&v[0]);
  envp.push_back(nullptr);
  if (posix_spawnp(&run.pid, all[0].c_str(), &fa, nullptr, args.data(), envp.data()) != 0) run.pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return run;
}

std::vector<std::string> toolArgs(std::vector<std::string> const& args) {
  std::vector<std::string> argv{BRELO_RENDER_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
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

RunResult runProgram(std::vector<std::string> const& argv, std::string const& dir,
                     std::vector<std::string> const& env) {
  return finish(start(argv, dir, env));
}

RunResult runTool(std::vector<std::string> const& args, std::string const& dir) {
  return finish(start(toolArgs(args), dir, {}));
}

std::vector<RunResult> runToolsAtOnce(std::vector<std::vector<std::string>> const& argLists, std::string const& dir) {
  std::vector<Running> running;
  for (auto const& args : argLists) running.push_back(start(toolArgs(args), dir, {}));
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

void expectIdenticalBytesAtEveryThreadCount(std::string const& module, std::vector<std::string> const& sets) {
  TempDir dir;
  for (const char* depth : {"8", "16", "32"}) {
    std::string ext = std::string(depth) == "32" ? ".exr" : ".png";
    std::string first;
    for (const char* threads : {"1", "2", "5"}) {
      std::string out = std::string("t") + threads + "_" + depth + ext;
      std::vector<std::string> a = {"--plugin", module, "--size", "96x64", "-d", depth, "-j", threads, "-o", out};
      for (std::string const& set : sets) a.insert(a.end(), {"-s", set});
      RunResult r = runTool(a, dir.path());
      ASSERT_EQ(r.code, 0) << r.err;
      std::string bytes = readFile(dir / out);
      if (first.empty())
        first = bytes;
      else
        EXPECT_EQ(bytes, first) << depth << "-bit, " << threads << " threads";
    }
  }
}

}  // namespace RenderTest
