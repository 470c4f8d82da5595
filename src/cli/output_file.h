#pragma once
// Where quillory-list writes: standard output, or a temporary file beside the
// target that replaces it only when the listing is complete, so an interrupted
// or failed run leaves the old file as it was.
#include <string>
#include <string_view>

#include "engine/listing.h"

namespace quillory::cli {

class OutputFile final : public BlockSink {
public:
    // An empty target means standard output.
    explicit OutputFile(std::string target);
    ~OutputFile() override;  // removes an uncommitted temporary file
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool ok() const { return m_error == 0; }
    bool append(std::string_view text) override;
    // Flushes and, for a file, renames it over the target. False on any error.
    bool commit();
    // The reason of the first failure, for a message.
    std::string failure() const;

private:
    bool flush();
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    int m_error = 0;
    std::string m_buffer;
};

}  // namespace quillory::cli
