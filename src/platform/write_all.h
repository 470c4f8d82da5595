#pragma once
#include <string_view>

#include "platform/status.h"

namespace quillory {

class StopToken;

// Writes all of `data` to `fd`, resuming after interruptions and short
// writes. Ok, or the errno of the failing call.
//
// With a `stop` token, a stop request ends a write that is blocked and gives
// ECANCELED: an interrupted write looks at the token, and on a pipe, FIFO or
// socket the write first waits for room with poll() in short slices and then
// writes no more than fits, so a request that lands just before write()
// cannot leave it blocked for good. A write that is making progress is not
// cut short.
Status writeAll(int fd, std::string_view data, const StopToken* stop = nullptr);

}  // namespace quillory
