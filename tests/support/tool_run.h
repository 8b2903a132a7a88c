// Runs the built vantrel-tool as a separate program and collects its exit status,
// standard output and standard error.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "temp_dir.h"

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// `stdout_path` redirects standard output there (for example /dev/full) instead of
// collecting it.
inline ToolRun RunTool(const std::vector<std::string>& args, const char* stdout_path = nullptr) {
  TempDir dir;
  const std::string out_path = stdout_path ? stdout_path : (dir / "out").string();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open((dir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<char*> argv{const_cast<char*>(VANTREL_TOOL)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(VANTREL_TOOL, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, stdout_path ? "" : dir.Read("out"),
          dir.Read("err")};
}
