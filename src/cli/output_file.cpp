#include "cli/output_file.h"

#include <unistd.h>

#include <utility>

namespace quillory::cli {
namespace {

bool isStandardOutput(const std::string& target) { return target.empty() || target == "-"; }

}  // namespace

OutputFile::OutputFile(const std::string& target, const StopToken* stop, std::function<void()> onFailure)
    : m_name(isStandardOutput(target) ? "standard output" : target),
      m_writer(isStandardOutput(target) ? SafeFileWriter(STDOUT_FILENO, m_name, stop) : SafeFileWriter(target, stop)),
      m_onFailure(std::move(onFailure)) {}

bool OutputFile::check() {
    if (!m_writer.ok() && m_onFailure) std::exchange(m_onFailure, nullptr)();
    return m_writer.ok();
}

bool OutputFile::append(std::string_view text) {
    m_writer.append(text);
    return check();
}

bool OutputFile::commit() {
    m_writer.commit();
    return check();
}

}  // namespace quillory::cli
