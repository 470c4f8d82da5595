#pragma once
// What both programs set up about their own process before anything else,
// so the command and the desktop program behave alike.
namespace quillory {

// Call first in main(), before any thread starts:
// - malloc keeps freed memory for reuse (a walk builds and drops texts of a
//   few megabytes per folder), in one arena for all threads;
// - the open-files limit is raised to its hard limit (headroom for the
//   read-ahead and the libraries beside the walk's bounded folder handles);
// - SIGXFSZ is ignored, so a write beyond the file-size limit fails with
//   EFBIG like any other write failure instead of killing the process and
//   stranding its temporary file.
void prepareProcess();

}  // namespace quillory
