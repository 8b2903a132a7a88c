// Runs a shell command (the program itself by default) and returns what it wrote.
#pragma once

#include <cstdio>
#include <string>

inline std::string RunCommand(const std::string& cmd, int& status) {
  FILE* f = popen((cmd + " 2>&1").c_str(), "r");
  std::string out;
  char buf[512];
  while (f && fgets(buf, sizeof buf, f)) out += buf;
  status = f ? pclose(f) : -1;
  return out;
}

inline std::string RunVantrel(const std::string& args, int& status) {
  return RunCommand(std::string(VANTREL_EXE) + " " + args, status);
}
