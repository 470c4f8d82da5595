#include "net/reader_service.h"

#include <string.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "net/reader_wire.h"
#include "net/smb_client.h"
#include "platform/secret_guard.h"
#include "platform/write_all.h"

namespace quillory::smb {

namespace {

// The next frame from `in`; false at the end of input or on a read error.
bool nextFrame(int in, std::string& buffer, std::string& payload) {
    char chunk[4096];
    while (!wire::takeFrame(buffer, payload)) {
        const ssize_t got = ::read(in, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

}  // namespace

int serveFolderReads(int in, int out) {
    std::string buffer;
    std::string payload;
    if (!nextFrame(in, buffer, payload)) return 1;
    std::optional<wire::Login> login = wire::parseLogin(payload);
    wipeSecret(payload);
    // Requests may follow in the same buffer; what the login left behind in
    // its spare room is overwritten.
    const std::size_t kept = buffer.size();
    buffer.resize(buffer.capacity());
    buffer.resize(kept);
    if (!login) return 1;
    int error = 0;
    // The client keeps its own copy of the credentials and wipes it when done.
    const std::unique_ptr<Client> client = Client::create(login->where, login->credentials, error);
    wipe(login->credentials);
    login.reset();
    while (nextFrame(in, buffer, payload)) {
        const std::optional<std::string> url = wire::parseRequest(payload);
        if (!url) return 1;
        Directory dir;
        if (client)
            dir = client->read(*url);
        else
            dir.error = error;
        if (!writeAll(out, wire::directoryFrame(dir))) return 1;
    }
    return 0;
}

}  // namespace quillory::smb
