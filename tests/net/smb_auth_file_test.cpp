#include <gtest/gtest.h>

#include "net/smb_auth_file.h"

namespace quillory {
namespace {

TEST(AuthFile, ReadsTheLinesSambaToolsWrite) {
    using O = std::optional<std::string>;
    const struct {
        const char* name;
        const char* text;
        O user, password, domain;
    } rows[] = {
        {"three lines", "username = ann\npassword = s3cret\ndomain = HOME\n", "ann", "s3cret", "HOME"},
        {"no blanks, CRLF, any case", "UserName=ann\r\nPASSWORD=a b=c\r\n", "ann", "a b=c", std::nullopt},
        {"domain in the user name", "username = HOME\\ann\n", "ann", std::nullopt, "HOME"},
        {"password in the user name", "username = ann%pw\n", "ann", "pw", std::nullopt},
        {"domain line wins", "domain = WORK\nusername = HOME\\ann\n", "ann", std::nullopt, "WORK"},
        {"comments, blanks, unknown keys", "# me\n; old\n\nworkgroup = X\nusername = ann", "ann", std::nullopt,
         std::nullopt},
        {"empty password", "username = ann\npassword =\n", "ann", "", std::nullopt},
        {"nothing", "", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        const SmbCredentials c = parseAuthText(row.text);
        EXPECT_EQ(c.user, row.user) << row.name;
        EXPECT_EQ(c.password, row.password) << row.name;
        EXPECT_EQ(c.domain, row.domain) << row.name;
    }
}

}  // namespace
}  // namespace quillory
