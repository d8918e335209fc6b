#include "RenderTestUtil.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace RenderTest {

RunResult runTool(std::vector<std::string> const& args, std::string const& dir) {
  std::string outPath = dir + "/../" + std::to_string(getpid()) + "-" + std::to_string(std::rand()) + ".stdout";
  std::string errPath = outPath.substr(0, outPath.size() - 7) + ".stderr";
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&fa, dir.c_str());
  std::vector<std::string> all;
  all.push_back(BRELO_RENDER_EXE);
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  pid_t pid;
  RunResult r;
  if (posix_spawn(&pid, BRELO_RENDER_EXE, &fa, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&fa);
  r.out = readFile(outPath);
  r.err = readFile(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return r;
}

}  // namespace RenderTest
