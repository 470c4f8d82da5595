#pragma once
// One libsmbclient context: its connection to one server, the credentials its
// auth callback hands over, and the one call the folder source needs, a whole
// folder read with one directory listing (names, sizes, times, attributes).
//
// A context belongs to one thread at a time. After a failure that means the
// server is gone (refused, reset, timed out, unreachable) every later read
// fails at once with the same error, so a walk over a dead server ends
// quickly instead of waiting out a timeout per folder.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_times.h"
#include "platform/folder_source.h"
#include "net/smb_share.h"

struct _SMBCCTX;

namespace quillory::smb {

// How long a connection attempt or an answer may take.
inline constexpr int kTimeoutMilliseconds = 10000;

struct Directory {
    std::vector<FolderEntry> entries;  // "." and ".." left out
    std::vector<FileFacts> facts;
    std::vector<std::int64_t> attributes;
    FolderId self;  // from the listing's "." entry
    int error = 0;  // errno; 0 when read
};

class Client {
public:
    // A context for the server of `where`; null, with `error` set, when the
    // library cannot start one.
    static std::unique_ptr<Client> create(const ShareLocation& where, const SmbCredentials& credentials, int& error);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    Directory read(const std::string& url);
    // 0 when the folder at `url` opens, else an errno value.
    int probe(const std::string& url);

private:
    Client(std::string host, const SmbCredentials& credentials);
    static void authenticate(_SMBCCTX* context, const char* server, const char* share, char* workgroup,
                             int workgroupLength, char* user, int userLength, char* password, int passwordLength);
    int failure(int error);
    // One listing; `answered` tells whether it held any entry at all.
    Directory list(const std::string& url, bool& answered);

    _SMBCCTX* m_context = nullptr;
    std::string m_host;
    SmbCredentials m_credentials;
    LocalTimeCache m_times;
    int m_serverGone = 0;
};

}  // namespace quillory::smb
