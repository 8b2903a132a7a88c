// Log files. Failures to write are ignored: logging must never stop the program.
#include "app/startup_log.h"

#include <chrono>
#include <ctime>

void StartupLog::Open(const std::filesystem::path& file) {
  Close();
  file_ = std::fopen(file.c_str(), "w");  // created with mode 0666 less the umask
}

void StartupLog::Line(const std::string& message) {
  if (!file_) return;
  const std::string line = LogTimeStamp() + message + "\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

void StartupLog::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

StartupLog& AppLog() {
  static StartupLog log;
  return log;
}

void LogLine(const std::string& message) {
  AppLog().Line(message);
}

std::string LogTimeStamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d ", tm.tm_hour, tm.tm_min, tm.tm_sec,
                static_cast<int>(ms));
  return buf;
}

void FrameLog::Line(const std::string& message) {
  std::FILE* f = std::fopen(file_.c_str(), started_ ? "ab" : "wb");
  started_ = true;
  if (!f) return;
  const std::string line = message + "\r\n";
  std::fwrite(line.data(), 1, line.size(), f);
  std::fclose(f);
}
