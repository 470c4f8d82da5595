#pragma once
// A ShareAccess for tests without a server: it records every probe and every
// source asked for, answers the probe with `result`, and reads local folders.
// A PasswordPrompt that records who was asked and gives `answer`.
#include <cerrno>
#include <string>
#include <vector>

#include "platform/folder_source.h"
#include "net/network_drives.h"

namespace quillory::test {

struct ShareRequest {
    ShareLocation where;
    SmbCredentials credentials;
    std::string rootSpelling;  // empty for a probe
};

struct ShareRecorder {
    int result = 0;
    std::vector<ShareRequest> checks;
    std::vector<ShareRequest> opens;

    ShareAccess access() {
        return ShareAccess{
            [this](const ShareLocation& where, const SmbCredentials& credentials) {
                checks.push_back({where, credentials, {}});
                return result;
            },
            [this](const ShareLocation& where, const SmbCredentials& credentials, const StopToken*,
                   std::string rootSpelling) {
                opens.push_back({where, credentials, std::move(rootSpelling)});
                return makeLocalFolderSource();
            }};
    }
};

struct RecordingPrompt : PasswordPrompt {
    std::optional<std::string> answer;
    std::vector<char> letters;
    std::vector<PasswordRequest> requests;
    std::optional<std::string> askPassword(const PasswordRequest& request) override {
        letters.push_back(request.letter);
        requests.push_back(request);
        return answer;
    }
};

}  // namespace quillory::test
