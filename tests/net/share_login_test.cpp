// Share paths as both faces recognise them, and the login's refusals.
#include "net/share_login.h"

#include <gtest/gtest.h>

#include "support/share_recorder.h"

namespace quillory {
namespace {

TEST(SharePath, EitherSpellingInAnyCaseIsAShare) {
    const struct {
        const char* name;
        const char* folder;
        bool share;
    } rows[] = {
        {"back-slashes", "\\\\host\\share", true},
        {"back-slashes alone", "\\\\", true},
        {"scheme", "smb://host/share", true},
        {"scheme upper case", "SMB://host/share", true},
        {"scheme mixed case", "Smb://host", true},
        {"one back-slash", "\\host\\share", false},
        {"forward slashes", "//host/share", false},
        {"scheme cut short", "smb:/host", false},
        {"other scheme", "http://host/share", false},
        {"local folder", "/srv/share", false},
        {"drive letter", "Z:\\", false},
        {"empty", "", false},
    };
    for (const auto& row : rows) EXPECT_EQ(isSharePath(row.folder), row.share) << row.name;
}

TEST(ShareLogin, ATypedShareOpensAsTypedWithoutItsTrailingSeparators) {
    test::ShareRecorder shares;
    test::RecordingPrompt prompt;
    Result<NetworkFolder> folder = openShare("smb://srv/pub/x//", SmbCredentials{"u", "p", {}}, &prompt,
                                             shares.access(), nullptr);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path, "smb://srv/pub/x");
    ASSERT_EQ(shares.opens.size(), 1u);
    EXPECT_EQ(shares.opens[0].rootSpelling, "smb://srv/pub/x");
    EXPECT_EQ(shares.opens[0].credentials.password, "p");
    EXPECT_TRUE(prompt.requests.empty());  // a password was given: nobody is asked
}

TEST(ShareLogin, NoSharePathIsRefusedWithTheReason) {
    test::ShareRecorder shares;
    Result<NetworkFolder> folder = openShare("\\\\host", SmbCredentials{}, nullptr, shares.access(), nullptr);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.status().code(), Status::kInvalid);
    EXPECT_EQ(folder.status().message(),
              "'\\\\host' is not a share path (\\\\host\\share\\folder or smb://host/share/folder)");
    EXPECT_TRUE(shares.opens.empty());
}

}  // namespace
}  // namespace quillory
