#pragma once
// Where quillory-list writes: standard output ("-" or no name), or the named
// target through the safe file writer, so an interrupted or failed run leaves
// an old file as it was.
#include <functional>
#include <string>
#include <string_view>

#include "engine/listing.h"
#include "platform/safe_file.h"

namespace quillory::cli {

class OutputFile final : public BlockSink {
public:
    // `stop` ends a blocked write; `onFailure` runs once, at the first failed
    // write, so that the walk can end instead of producing what nobody gets.
    OutputFile(const std::string& target, const StopToken* stop, std::function<void()> onFailure = {});

    bool append(std::string_view text) override;
    bool commit();
    bool ok() const { return m_writer.ok(); }
    int error() const { return m_writer.error().code; }
    // "standard output" or the target as given, for a message.
    const std::string& name() const { return m_name; }

private:
    bool check();

    std::string m_name;
    SafeFileWriter m_writer;
    std::function<void()> m_onFailure;
};

}  // namespace quillory::cli
