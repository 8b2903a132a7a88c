// Checked output of vantrel-tool.
#include "tools/tool_output.h"

#include <cstdio>

namespace {
bool g_output_failed = false;
}

void Print(std::string_view text) {
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) g_output_failed = true;
}

int ToolExit(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) g_output_failed = true;
  if (!g_output_failed) return status;
  std::fputs("vantrel-tool: the output could not be written\n", stderr);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return 2;
}

int Usage(const std::string& message, std::string_view help) {
  const std::string_view first = help.substr(0, help.find('\n'));
  std::fprintf(stderr, "vantrel-tool: %s\n%.*s (see --help)\n", message.c_str(),
               static_cast<int>(first.size()), first.data());
  return 2;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}
