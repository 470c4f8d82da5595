#pragma once
// Credentials for a share from a file in the form Samba's tools read:
//
//   username = NAME        (also DOMAIN\NAME, and NAME%PASSWORD)
//   password = SECRET
//   domain   = WORKGROUP
//
// Keys match without case; blanks around '=' and at the ends are dropped;
// blank lines and lines starting with '#' or ';' are passed over, as are
// keys it does not know.
#include <optional>
#include <string>
#include <string_view>

#include "net/smb_share.h"

namespace quillory {

SmbCredentials parseAuthText(std::string_view text);
// Nullopt, with `problem` set, when the file cannot be read.
std::optional<SmbCredentials> readAuthFile(const std::string& path, std::string& problem);

}  // namespace quillory
