#pragma once
// A run's output into a file through the safe writer: the old file is
// replaced only by commit(), and a failed or stopped run leaves it as it was.
#include <string>
#include <string_view>

#include "engine/listing.h"
#include "platform/safe_file.h"

namespace quillory {

class FileSink final : public BlockSink {
public:
    // "" or "-": standard output.
    FileSink(const std::string& target, const StopToken* stop);
    bool append(std::string_view text) override { return m_writer.append(text); }
    int error() const override { return m_writer.status().code(); }
    const Status& status() const { return m_writer.status(); }
    bool ok() const { return m_writer.ok(); }
    const std::string& temporaryPath() const { return m_writer.temporaryPath(); }
    Status commit() { return m_writer.commit(); }
    // "standard output" or the target as given, for a message.
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    SafeFileWriter m_writer;
};

}  // namespace quillory
