#include "text/type_text.h"

#include "text/ascii_case.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>

#include <array>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

#include "text/type_text_globs.h"

namespace quillory {

namespace {

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool startsWithNoCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
        if (asciiLower(text[i]) != lowerPrefix[i]) return false;
    return true;
}

bool endsWithNoCase(std::string_view text, std::string_view lowerTail) {
    return text.size() >= lowerTail.size() &&
           startsWithNoCase(text.substr(text.size() - lowerTail.size()), lowerTail);
}

// Which names the database might answer by more than their suffix.
//
// A pattern "*.X" can only match from a dot onwards, and no dot comes before
// the first one, so its verdict depends on the suffix from the first dot alone
// (given a stem in front of it: see typeTextForName).
// Every other pattern ("makefile", "README*", "*~", "[0-9][0-9][0-9].vdr")
// looks at the stem: a name that might match one is keyed by its whole self.
// "Might" is judged by the pattern's literal head and tail, without case,
// which can only over-match; over-matching costs a look-up, never a wrong answer.
class StemPatterns {
public:
    explicit StemPatterns(const StemGlobs& globs) : m_everyName(globs.everyName) {
        for (const std::string& head : globs.heads)
            m_byHead[static_cast<unsigned char>(head.front())].push_back(head);
        for (const std::string& tail : globs.tails)
            m_byTail[static_cast<unsigned char>(tail.back())].push_back(tail);
    }

    bool mightMatch(std::string_view name) const {
        if (m_everyName) return true;
        if (name.empty()) return false;
        for (const std::string& head : m_byHead[static_cast<unsigned char>(asciiLower(name.front()))])
            if (startsWithNoCase(name, head)) return true;
        for (const std::string& tail : m_byTail[static_cast<unsigned char>(asciiLower(name.back()))])
            if (endsWithNoCase(name, tail)) return true;
        return false;
    }

private:
    std::array<std::vector<std::string>, 256> m_byHead;
    std::array<std::vector<std::string>, 256> m_byTail;
    bool m_everyName = false;
};

const StemPatterns& stemPatterns() {
    static const StemPatterns patterns(databaseStemGlobs());
    return patterns;
}

constexpr std::size_t kMaxWholeNames = 4096;

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using Memo = std::unordered_map<std::string, std::string, KeyHash, std::equal_to<>>;

// Names keyed by suffix and names keyed whole live apart: ".htaccess" as a
// whole name and as the suffix of "a.htaccess" may have different answers.
struct MemoTables {
    std::shared_mutex mutex;
    Memo bySuffix;
    Memo byName;
};

MemoTables& memoTables() {
    static MemoTables tables;
    return tables;
}

// The text for a type the database does not know: the extension, upper-cased,
// before "File"; a bare "File" when there is none. More telling in a listing
// than the database's own "unknown", and the same for every unknown extension.
std::string unknownTypeText(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size()) return "File";
    std::string out;
    out.reserve(name.size() - dot + 5);
    for (char c : name.substr(dot + 1)) out.push_back(upperAscii(c));
    out += " File";
    return out;
}

}  // namespace

std::string typeTextUncached(std::string_view fileName) {
    if (fileName.empty()) return {};
    const QMimeDatabase db;
    const QString name = QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
    const QMimeType type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return unknownTypeText(fileName);
    const QString comment = type.comment();
    if (comment.isEmpty()) return unknownTypeText(fileName);
    return comment.toUtf8().toStdString();
}

std::string typeTextForName(std::string_view fileName) {
    std::string text;
    typeTextForName(fileName, text);
    return text;
}

void typeTextForName(std::string_view fileName, std::string& out) {
    if (fileName.empty()) {
        out.clear();
        return;
    }
    // A name that starts with a dot has no stem at all, and the database reads
    // such names differently (".txt" is no text file, ".tar.gz" just gzip).
    const bool whole = fileName.front() == '.' || stemPatterns().mightMatch(fileName);
    const std::size_t dot = fileName.find('.');
    const std::string_view key =
        whole ? fileName : (dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot));
    MemoTables& tables = memoTables();
    Memo& memo = whole ? tables.byName : tables.bySuffix;
    {
        std::shared_lock lock(tables.mutex);
        const auto it = memo.find(key);
        if (it != memo.end()) {
            out.assign(it->second);
            return;
        }
    }
    std::string text = typeTextUncached(fileName);
    std::unique_lock lock(tables.mutex);
    // Whole names rarely repeat (backup files, numbered dumps): keep only enough
    // of them to help, so a folder of a million such files cannot fill memory.
    if (!whole || memo.size() < kMaxWholeNames) memo.emplace(std::string(key), text);
    out.assign(text);
}

}  // namespace quillory
