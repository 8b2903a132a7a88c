// The two plain-text diagnostic logs: the time-stamped start-up log and the main
// window's construction checkpoints.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// "vantrel.log": emptied at each start; each line "%H:%M:%S.%l message\n".
class StartupLog {
 public:
  // Opens (creates or empties) the file; failure is silent and later lines are dropped.
  void Open(const std::filesystem::path& file);
  void Line(const std::string& message);
  void Close();
  bool is_open() const { return file_ != nullptr; }
  ~StartupLog() { Close(); }

 private:
  std::FILE* file_ = nullptr;
};

// The process-wide start-up log; LogLine does nothing while it is not open.
StartupLog& AppLog();
void LogLine(const std::string& message);

// Local time as "HH:MM:SS.mmm " for the start-up log.
std::string LogTimeStamp();

// "mainframe.log": the first line of a run replaces any old file; lines end in "\r\n".
class FrameLog {
 public:
  explicit FrameLog(std::filesystem::path file) : file_(std::move(file)) {}
  void Line(const std::string& message);

 private:
  std::filesystem::path file_;
  bool started_ = false;
};
