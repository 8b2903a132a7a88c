// What vantrel-tool prints: every write to stdout is checked, so a full disk or a closed
// pipe ends the run with status 2 instead of a cut-short report that claims success.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using ToolArgs = std::vector<std::string>;

// Writes to stdout; a failed write is remembered for ToolExit.
void Print(std::string_view text);
// Flushes stdout: `status` when everything printed arrived, otherwise a message on
// stderr and 2.
int ToolExit(int status);
// A message on stderr and status 2 (unreadable input, unwritable output).
int Fail(const std::string& message);
// A usage error: the message and the first line of the help on stderr, status 2.
int Usage(const std::string& message, std::string_view help);
bool IsHelp(std::string_view arg);
