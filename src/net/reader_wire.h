#pragma once
// The messages between a share reader process and the program that feeds it,
// one frame each: a 32-bit length, then the payload. Numbers are in the host's
// own byte order; both ends are the same build on the same machine.
//
//   program -> reader: one login (server, port, credentials), then folder
//                      requests (a URL each)
//   reader -> program: one directory per request, in the order asked
#include <optional>
#include <string>
#include <string_view>

#include "net/smb_client.h"
#include "net/smb_share.h"

namespace quillory::smb::wire {

struct Login {
    ShareLocation where;  // host and port are what matter
    SmbCredentials credentials;
};

std::string loginFrame(const Login& login);
std::optional<Login> parseLogin(std::string_view payload);

std::string requestFrame(const std::string& url);
std::optional<std::string> parseRequest(std::string_view payload);

std::string directoryFrame(const Directory& dir);
std::optional<Directory> parseDirectory(std::string_view payload);

// Moves the first complete frame's payload out of `buffer`; false while the
// buffer holds less than one frame.
bool takeFrame(std::string& buffer, std::string& payload);

}  // namespace quillory::smb::wire
