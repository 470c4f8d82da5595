// Folders below a share, each read whole with one directory listing that
// already carries every file's size, time and attribute word: facts() and
// attributes() answer from memory and no handle stays open between reads.
//
// The reads go to a pool of reader processes (reader_pool.h) that reads
// ahead of the walk; without the reader program they are made here, one at a
// time. QUILLORY_SMB_READERS sets the pool's size: 0 reads here.
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "text/ascii_case.h"
#include "net/reader_pool.h"
#include "net/smb_client.h"
#include "net/smb_share.h"
#include "platform/stop_token.h"

namespace quillory {

namespace {

struct SourceState {
    std::unique_ptr<smb::ReaderPool> pool;
    std::unique_ptr<smb::Client> client;
    int clientError = 0;  // why there is no client
    ShareLocation root;
    const StopToken* stop = nullptr;

    smb::Directory read(const ShareLocation& where) {
        smb::Directory out;
        if (pool)
            out = pool->take(where);
        else if (stop && stop->requested())
            out.error = ECANCELED;
        else if (!client)
            out.error = clientError;
        else
            out = client->read(smbUrl(where));
        return out;
    }
};

class SmbFolder final : public Folder {
public:
    SmbFolder(std::shared_ptr<SourceState> state, ShareLocation where, smb::Directory dir)
        : m_state(std::move(state)), m_where(std::move(where)), m_dir(std::move(dir)) {}
    ~SmbFolder() override {
        if (m_state->pool) m_state->pool->leave(m_where.subPath);
    }

    bool readable() const override { return m_dir.error == 0; }
    int error() const override { return m_dir.error; }
    const std::vector<FolderEntry>& entries() const override { return m_dir.entries; }
    FolderId id() const override { return m_dir.self; }
    FileFacts facts(std::size_t i) override { return m_dir.facts[i]; }
    std::int64_t attributes(std::size_t i) override { return m_dir.attributes[i]; }
    std::unique_ptr<Folder> openChild(std::size_t i) override {
        ShareLocation child = m_where;
        if (!child.subPath.empty()) child.subPath += '/';
        child.subPath += m_dir.entries[i].name;
        smb::Directory dir = m_state->read(child);
        return std::make_unique<SmbFolder>(m_state, std::move(child), std::move(dir));
    }

private:
    std::shared_ptr<SourceState> m_state;
    ShareLocation m_where;
    smb::Directory m_dir;
};

bool isSeparator(char c) { return c == '/' || c == '\\'; }

class SmbFolderSource final : public FolderSource {
public:
    SmbFolderSource(std::shared_ptr<SourceState> state, std::string rootSpelling)
        : m_state(std::move(state)), m_rootSpelling(std::move(rootSpelling)) {}

    std::unique_ptr<Folder> open(const std::string& path) override {
        std::optional<ShareLocation> where = locate(path);
        smb::Directory dir;
        if (where)
            dir = m_state->read(*where);
        else
            dir.error = ENOENT;
        return std::make_unique<SmbFolder>(m_state, where ? std::move(*where) : m_state->root, std::move(dir));
    }

private:
    // The root's spelling and what follows it, or any share path of the
    // same share; anything else names no folder here.
    std::optional<ShareLocation> locate(const std::string& path) const {
        ShareLocation where = m_state->root;
        const std::string_view root = m_rootSpelling;
        const bool underRoot = path.starts_with(root) && (path.size() == root.size() || isSeparator(path[root.size()]) ||
                                                          (!root.empty() && isSeparator(root.back())));
        if (underRoot) {
            appendComponents(where.subPath, std::string_view(path).substr(root.size()));
            return where;
        }
        const std::optional<ShareLocation> other = parseSharePath(path);
        if (other && equalWithoutCase(other->host, where.host) && other->port == where.port &&
            equalWithoutCase(other->share, where.share))
            return other;
        return std::nullopt;
    }

    static void appendComponents(std::string& subPath, std::string_view rest) {
        std::size_t from = 0;
        while (from < rest.size()) {
            std::size_t end = from;
            while (end < rest.size() && !isSeparator(rest[end])) ++end;
            if (end > from) {
                if (!subPath.empty()) subPath += '/';
                subPath.append(rest.substr(from, end - from));
            }
            from = end + 1;
        }
    }

    std::shared_ptr<SourceState> m_state;
    std::string m_rootSpelling;
};

}  // namespace

int checkShare(const ShareLocation& where, const SmbCredentials& credentials) {
    int error = 0;
    const std::unique_ptr<smb::Client> client = smb::Client::create(where, credentials, error);
    return client ? client->probe(smbUrl(where)) : error;
}

std::unique_ptr<FolderSource> makeSmbFolderSource(const ShareLocation& where, const SmbCredentials& credentials,
                                                  const StopToken* stop, std::string rootSpelling) {
    auto state = std::make_shared<SourceState>();
    const char* wanted = std::getenv("QUILLORY_SMB_READERS");
    const int readers = wanted && *wanted ? std::atoi(wanted) : 0;
    std::string program = smb::readerProgram();
    const bool here = wanted && *wanted && readers <= 0;
    if (!here && !program.empty())
        state->pool = std::make_unique<smb::ReaderPool>(std::move(program), where, credentials, stop, readers);
    else
        state->client = smb::Client::create(where, credentials, state->clientError);
    state->root = where;
    state->stop = stop;
    return std::make_unique<SmbFolderSource>(std::move(state), std::move(rootSpelling));
}

}  // namespace quillory
