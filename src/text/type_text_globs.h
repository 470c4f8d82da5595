#pragma once
// The MIME database's file-name patterns, as the type-text memo needs them:
// which names the database might judge by more than their suffix.
//
// Asking Qt for every type's patterns makes it parse the XML of every type,
// which costs more than a whole listing of a big tree. The same patterns are
// in the database's plain-text globs2 files, read here in a fraction of that;
// Qt is asked only when those files are not what it reads itself.
#include <optional>
#include <string>
#include <vector>

namespace quillory {

// The literal ends of the patterns that look at a name's stem, lower-cased
// (ASCII only), sorted and without repeats. A pattern "*.X" looks at the
// suffix only and is left out. Every other pattern gives its literal head;
// one without a head gives its literal tail; one with neither sets everyName.
struct StemGlobs {
    std::vector<std::string> heads;
    std::vector<std::string> tails;
    bool everyName = false;

    bool operator==(const StemGlobs&) const = default;
};

StemGlobs stemGlobs(const std::vector<std::string>& patterns);

// The folders Qt reads its MIME database from, most local first: the "mime"
// folder of $XDG_DATA_HOME and of each $XDG_DATA_DIRS entry that has one.
std::vector<std::string> mimeFolders();

// Every pattern (UTF-8, as written) in the globs2 files of these folders.
// Nothing when they would not show what Qt matches names against: no folder,
// a folder without globs2 or without the mime.cache Qt reads beside it (Qt
// then parses the folder's XML itself), no folder with the freedesktop.org
// package (Qt then adds its own built-in database), an unreadable globs2, or
// QT_NO_MIME_CACHE set.
std::optional<std::vector<std::string>> globsFromMimeFolders(const std::vector<std::string>& folders);

// Every pattern of every type, straight from Qt: slow, but always Qt's own.
std::vector<std::string> globsFromQt();

// The database's stem patterns: from the globs2 files when they serve, else
// from Qt.
StemGlobs databaseStemGlobs();

}  // namespace quillory
