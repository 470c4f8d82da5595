// Share paths in both spellings and auth files.
#include <gtest/gtest.h>

#include "net/smb_auth_file.h"
#include "net/smb_share.h"

namespace quillory {
namespace {

struct ParseRow { const char* name; const char* text; ShareLocation expected; };

// URLs read back as `smbUrl` writes them are that test's.
const ParseRow kParsed[] = {
    {"share alone", "\\\\srv\\docs", {"srv", 0, "docs", ""}},
    {"trailing and doubled separators", "\\\\srv\\docs\\\\a\\", {"srv", 0, "docs", "a"}},
    {"forward slashes after the host", "\\\\srv/docs/a", {"srv", 0, "docs", "a"}},
    {"escapes stay literal with back-slashes", "\\\\srv\\docs\\100%25", {"srv", 0, "docs", "100%25"}},
    {"url scheme in capitals, trailing slash", "SMB://srv/docs/", {"srv", 0, "docs", ""}},
};

TEST(ParseSharePath, ReadsBothSpellings) {
    for (const ParseRow& row : kParsed) {
        const std::optional<ShareLocation> got = parseSharePath(row.text);
        ASSERT_TRUE(got.has_value()) << row.name;
        EXPECT_EQ(*got, row.expected) << row.name;
    }
}

TEST(ParseSharePath, RejectsWhatIsNoShare) {
    const struct { const char* name; const char* text; } rows[] = {
        {"local path", "/srv/docs"}, {"one back-slash", "\\srv\\docs"}, {"host alone", "\\\\srv"},
        {"empty share", "\\\\srv\\\\docs"}, {"no host", "\\\\\\docs"}, {"url host alone", "smb://srv"},
        {"url host and slash", "smb://srv/"}, {"url without host", "smb:///docs"}, {"port zero", "smb://srv:0/docs"},
        {"port too large", "smb://srv:65536/docs"}, {"port not a number", "smb://srv:abc/docs"},
        {"empty port", "smb://srv:/docs"}, {"user in the url", "smb://me@srv/docs"},
        {"half an escape", "smb://srv/docs/a%2"}, {"bad escape", "smb://srv/docs/%zz"},
        {"escaped separator", "smb://srv/docs/a%2Fb"}, {"escaped NUL", "smb://srv/docs/a%00"},
        {"query", "smb://srv/docs?x=1"}, {"other scheme", "http://srv/docs"},
    };
    for (const auto& row : rows) EXPECT_FALSE(parseSharePath(row.text).has_value()) << row.name;
}

TEST(SmbUrl, EscapesWhatTheLibraryWouldReadOtherwise) {
    const struct { const char* name; ShareLocation where; const char* url; } rows[] = {
        {"plain", {"srv", 0, "docs", "a/b"}, "smb://srv/docs/a/b"},
        {"port", {"127.0.0.1", 4455, "docs", ""}, "smb://127.0.0.1:4455/docs"},
        {"v6 host", {"::1", 445, "docs", ""}, "smb://[::1]:445/docs"},
        {"reserved characters", {"srv", 0, "my docs", "a?b/c@d/50%/x#y+z"},
         "smb://srv/my%20docs/a%3Fb/c%40d/50%25/x%23y%2Bz"},
        {"bytes above ASCII", {"srv", 0, "docs", "caf\xC3\xA9"}, "smb://srv/docs/caf%C3%A9"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(smbUrl(row.where), row.url) << row.name;
        // What the URL spells reads back as the same place.
        EXPECT_EQ(parseSharePath(smbUrl(row.where)), row.where) << row.name;
    }
}

TEST(AuthFile, ReadsTheLinesSambaToolsWrite) {
    using O = std::optional<std::string>;
    const struct { const char* name; const char* text; O user, password, domain; } rows[] = {
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
