#pragma once
// libsmbclient (4.17 at least) loses the error of a directory query that
// fails after the folder is open: its close succeeds, and the listing ends
// as if it were whole. The program defines the function every query's
// answer passes through, so that such a failure is seen.

namespace quillory::smb {

// Whether a directory query failed on this thread since the last call, which
// forgets it.
bool takeLostQueryFailure();

}  // namespace quillory::smb
