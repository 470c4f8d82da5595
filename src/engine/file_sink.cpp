#include "engine/file_sink.h"

#include <unistd.h>

namespace quillory {
namespace {

bool isStandardOutput(const std::string& target) { return target.empty() || target == "-"; }

}  // namespace

FileSink::FileSink(const std::string& target, const StopToken* stop)
    : m_name(isStandardOutput(target) ? "standard output" : target),
      m_writer(isStandardOutput(target) ? SafeFileWriter(STDOUT_FILENO, m_name, stop) : SafeFileWriter(target, stop)) {}

}  // namespace quillory
