#pragma once
// Runs a program with extra environment variables and collects what it printed.
#include <string>
#include <vector>

namespace quillory::test {

struct ProcessResult {
    int status = -1;   // exit status; 128 + signal when a signal ended it
    std::string out;
    std::string err;
};

ProcessResult runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});

// Starts a program in the background (its output discarded); returns its pid.
// `errFd` >= 0 becomes its standard error.
int startProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {}, int errFd = -1);
int waitProcess(int pid);

}  // namespace quillory::test
