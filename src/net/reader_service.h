#pragma once
// The share reader's side: one libsmbclient context serving folder reads for
// the program that started it (see reader_wire.h for the messages).
namespace quillory::smb {

// Reads the login from `in`, then answers folder requests until `in` ends.
// Returns the process's exit status: 0 at the end of input, 1 on a broken
// message or a failed write.
int serveFolderReads(int in, int out);

}  // namespace quillory::smb
