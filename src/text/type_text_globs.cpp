#include "text/type_text_globs.h"

#include "text/ascii_case.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace quillory {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNoGlobs = "__NOGLOBS__";

// The closing bracket counts too, so that a class at the end of a pattern
// ("[0-9][0-9][0-9].vdr") is not taken for part of its literal tail.
bool isWildcard(char c) { return c == '*' || c == '?' || c == '[' || c == ']'; }

void sortUnique(std::vector<std::string>& items) {
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// One line "weight:type:pattern[:flags[:more]]": the pattern, or nothing for
// a comment, a line without all three fields, and the "drop what lower
// folders say" mark. That mark is not obeyed: keeping a lower folder's
// patterns can only over-match, dropping one Qt still matches would not.
std::optional<std::string_view> patternOf(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);  // a copy saved with CRLF line ends
    if (line.empty() || line.front() == '#') return std::nullopt;
    const std::size_t typeStart = line.find(':');
    if (typeStart == std::string_view::npos) return std::nullopt;
    const std::size_t patternStart = line.find(':', typeStart + 1);
    if (patternStart == std::string_view::npos) return std::nullopt;
    std::string_view pattern = line.substr(patternStart + 1);
    pattern = pattern.substr(0, pattern.find(':'));
    if (pattern.empty() || pattern == kNoGlobs) return std::nullopt;
    return pattern;
}

bool readGlobs2(const std::string& path, std::vector<std::string>& patterns) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    std::string_view rest(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        if (const auto pattern = patternOf(rest.substr(0, end))) patterns.emplace_back(*pattern);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return true;
}

}  // namespace

StemGlobs stemGlobs(const std::vector<std::string>& patterns) {
    StemGlobs globs;
    for (const std::string& pattern : patterns) {
        if (pattern.starts_with("*.")) continue;
        std::size_t first = 0;
        while (first < pattern.size() && !isWildcard(pattern[first])) ++first;
        std::size_t last = pattern.size();
        while (last > 0 && !isWildcard(pattern[last - 1])) --last;
        if (first > 0)
            globs.heads.push_back(asciiLower(std::string_view(pattern).substr(0, first)));
        else if (last < pattern.size())
            globs.tails.push_back(asciiLower(std::string_view(pattern).substr(last)));
        else
            globs.everyName = true;
    }
    sortUnique(globs.heads);
    sortUnique(globs.tails);
    return globs;
}

std::vector<std::string> mimeFolders() {
    // Qt's own search, so that the folders are the ones its database reads.
    const QStringList found =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("mime"),
                                  QStandardPaths::LocateDirectory);
    std::vector<std::string> folders;
    folders.reserve(static_cast<std::size_t>(found.size()));
    for (const QString& folder : found) folders.push_back(QFile::encodeName(folder).toStdString());
    return folders;
}

std::optional<std::vector<std::string>> globsFromMimeFolders(const std::vector<std::string>& folders) {
    if (folders.empty() || !qEnvironmentVariableIsEmpty("QT_NO_MIME_CACHE")) return std::nullopt;
    bool complete = false;
    for (const std::string& folder : folders) {
        if (!exists(folder + "/globs2") || !exists(folder + "/mime.cache")) return std::nullopt;
        complete = complete || exists(folder + "/packages/freedesktop.org.xml");
    }
    if (!complete) return std::nullopt;
    std::vector<std::string> patterns;
    for (const std::string& folder : folders)
        if (!readGlobs2(folder + "/globs2", patterns)) return std::nullopt;
    return patterns;
}

std::vector<std::string> globsFromQt() {
    const QMimeDatabase db;
    std::vector<std::string> patterns;
    for (const QMimeType& type : db.allMimeTypes())
        for (const QString& pattern : type.globPatterns()) patterns.push_back(pattern.toUtf8().toStdString());
    return patterns;
}

StemGlobs databaseStemGlobs() {
    if (const auto patterns = globsFromMimeFolders(mimeFolders())) return stemGlobs(*patterns);
    return stemGlobs(globsFromQt());
}

}  // namespace quillory
