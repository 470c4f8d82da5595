#pragma once
// The part the HTML and CSV generators share: the listed files of one folder,
// filtered, filled and ordered.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/cls_file.h"
#include "engine/escape.h"
#include "engine/listing.h"

namespace quillory {

struct ListedFiles {
    std::vector<clsFile> files;
    std::int64_t count = 0;
    std::int64_t bytes = 0;
    bool stopped = false;  // a stop request cut the folder short; the files are those read so far, unsorted
};

// How many files pass between two looks at the stop token and two progress
// updates: often enough for Stop to act within milliseconds, seldom enough to
// cost nothing.
inline constexpr std::size_t kCheckEvery = 1024;

// `prefix` is the folder path with its separator. Attribute letters are read
// only when `withAttributes`; otherwise FileAttr stays empty and rendering
// reads it if a placeholder calls for it.
ListedFiles collectFiles(ListingContext& ctx, const ListingOptions& options, const std::string& prefix,
                         Folder& folder, Format format, bool withAttributes);
// Hands a folder's records back for the next folder to reuse.
void recycleFiles(ListingContext& ctx, ListedFiles& listed);

// A row or line template, filled per file. Placeholders are replaced one after
// the other in their fixed order, each in the result of the step before, so a
// name that itself holds "##TYPE##" shows the type text there. When no value
// holds "##" that is the same as filling the template's slots directly, which
// is what render() does then; otherwise it takes the literal route.
class RowTemplate {
public:
    // `quoted`: CSV values stand in double quotes. `escape`: how values are
    // written into the template.
    RowTemplate(std::string text, bool quoted, TextEscape escape = TextEscape::None);
    // Appends the filled template. `folderWithSeparator` fills "##FOL##" (CSV).
    // `attributesRead`: FileAttr holds the letters; otherwise they are read
    // only if the row needs them.
    void render(std::string& out, const clsFile& file, const std::string* folderWithSeparator,
                bool attributesRead) const;
    const std::string& text() const { return m_text; }

private:
    struct Slot {
        std::size_t begin, length;  // the literal text before the placeholder, in m_text
        int field;                  // which placeholder follows; -1 at the end
    };
    std::string m_text;
    bool m_quoted;
    TextEscape m_escape;
    std::vector<Slot> m_slots;
};

}  // namespace quillory
