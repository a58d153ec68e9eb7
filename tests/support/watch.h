// Watching what the code under test does: the log lines it writes, and whether it returns.
#pragma once

#include <functional>
#include <string>

#define WATCH_ALARM_SECONDS 5

// Sends the log to a fresh file for the capture's lifetime.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();             // closes the log again
    std::string text() const;  // everything logged so far
    bool has(const std::string &line) const { return text().find(line) != std::string::npos; }

private:
    std::string path;
};

// Ends the process with the result of run, or by an alarm signal when run has not returned
// within WATCH_ALARM_SECONDS. For death tests of code that must never wait.
[[noreturn]] void finish_within_seconds(const std::function<int(void)> &run);
