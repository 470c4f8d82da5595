#include "engine/folder_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/file_format.h"
#include "engine/filters.h"
#include "engine/sorting.h"
#include "engine/substitute.h"
#include "engine/templates.h"
#include "text/regional.h"
#include "text/type_text.h"

namespace quillory {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat x, y;
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

}  // namespace

ListedFiles collectFiles(ListingContext& ctx, const ListingOptions& options, const std::string& prefix,
                         Folder& folder, Format format, bool withAttributes) {
    ListedFiles listed;
    const auto& entries = folder.entries();
    const FilterOptions& filters = options.filters;
    const bool logging = ctx.log.LoggingOn && format == Format::Html;
    // The enumeration's own "normal file" mark (128) keeps a file out of the
    // CSV lines; no local or share source here reports it.
    // The run's own temporary file has a name nobody else uses; a file of
    // that name is it when it is the very same file.
    const std::size_t slash = ctx.ownFile.rfind(kSeparator);
    const std::string_view ownName =
        slash == std::string::npos ? std::string_view(ctx.ownFile) : std::string_view(ctx.ownFile).substr(slash + 1);
    auto isOwnFile = [&](const FolderEntry& entry) {
        return !ownName.empty() && entry.name == ownName && sameFile(prefix + entry.name, ctx.ownFile);
    };
    auto considered = [&](const FolderEntry& entry) {
        return entry.kind == EntryKind::File && !(format == Format::Csv && entry.foundAttributes == 128) &&
               !isOwnFile(entry);
    };
    auto stopNow = [&](std::size_t i) {
        if (i % kCheckEvery != 0 || !ctx.stop.requested()) return false;
        listed.stopped = true;
        return true;
    };

    // First the names alone: a file whose name fails needs no stat. The rest
    // are examined together, which lets the source spread the stats over cores.
    std::vector<std::size_t> candidates;
    std::vector<bool> candidate(entries.size(), false);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stopNow(i)) return listed;
        if (!considered(entries[i]) || !namePasses(filters, entries[i].name)) continue;
        candidates.push_back(i);
        candidate[i] = true;
    }
    folder.prefetch(candidates, withAttributes);
    listed.files.reserve(candidates.size());

    const bool factsFilter = needsFacts(filters);
    std::vector<clsFile>& spare = ctx.spareRecords;
    std::int64_t unreported = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stopNow(i)) break;
        const FolderEntry& entry = entries[i];
        if (!considered(entry)) continue;
        const bool passes = candidate[i] && (!factsFilter || factsPass(filters, folder.facts(i)));
        if (logging) {
            writeLog(ctx.log, "Retrieved file: " + entry.name);
            writeLog(ctx.log, passes ? "Filter returns: True" : "Filter returns: False");
        }
        if (!passes) continue;
        const FileFacts f = folder.facts(i);
        ++listed.count;
        listed.bytes += f.size;
        clsFile& file = spare.empty() ? listed.files.emplace_back() : listed.files.emplace_back(std::move(spare.back()));
        if (!spare.empty()) spare.pop_back();
        // Assigned in place, so each text keeps the buffer it came with.
        file.Name.assign(entry.name);
        file.FullyQualifiedName.assign(prefix).append(entry.name);
        typeTextForName(entry.name, file.FileType);
        file.FileSize = f.size;
        file.FileSizeStr = sizeText(options, f.size);
        file.DateTime = f.modified;
        file.FileExt = getExtension(entry.name);
        if (withAttributes)
            file.FileAttr = attribLetters(folder.attributes(i));
        else
            file.FileAttr.clear();
        if (ctx.progress && ++unreported == static_cast<std::int64_t>(kCheckEvery)) {
            ctx.progress->files.fetch_add(unreported);
            unreported = 0;
        }
    }
    if (ctx.progress) ctx.progress->files.fetch_add(unreported);
    if (!listed.stopped) sortFiles(listed.files, options.order);
    return listed;
}

void recycleFiles(ListingContext& ctx, ListedFiles& listed) {
    // The larger set of records becomes the spares, and the other fills only
    // the room it has: growing the spares would hold two copies of the
    // largest folder's records at once, the run's peak.
    std::vector<clsFile>& spare = ctx.spareRecords;
    if (listed.files.size() > spare.size()) std::swap(spare, listed.files);
    const std::size_t room = std::min(spare.capacity() - spare.size(), listed.files.size());
    for (std::size_t i = 0; i < room; ++i) spare.push_back(std::move(listed.files[i]));
    listed.files.clear();
}

namespace {

// In the order they are replaced.
constexpr std::string_view kFields[] = {tpl::kName, tpl::kFolder, tpl::kType, tpl::kSize,
                                        tpl::kDate, tpl::kExt, tpl::kAttrib};
enum Field { kNameField, kFolderField, kTypeField, kSizeField, kDateField, kExtField, kAttribField };

bool holdsMarker(std::string_view value) { return value.find("##") != std::string_view::npos; }

std::string attribText(const clsFile& file, bool attributesRead) {
    return attributesRead ? file.FileAttr : getAttribText(file.FullyQualifiedName);
}

void appendValue(std::string& out, std::string_view value, bool quoted, TextEscape escape) {
    if (quoted) out += '"';
    appendEscaped(out, value, escape);
    if (quoted) out += '"';
}

}  // namespace

RowTemplate::RowTemplate(std::string text, bool quoted, TextEscape escape)
    : m_text(std::move(text)), m_quoted(quoted), m_escape(escape) {
    std::size_t from = 0;
    for (;;) {
        std::size_t best = std::string::npos;
        int field = -1;
        for (int f = 0; f < static_cast<int>(std::size(kFields)); ++f) {
            const std::size_t at = m_text.find(kFields[f], from);
            if (at < best) best = at, field = f;
        }
        if (field < 0) {
            m_slots.push_back({from, m_text.size() - from, -1});
            return;
        }
        m_slots.push_back({from, best - from, field});
        from = best + kFields[field].size();
    }
}

void RowTemplate::render(std::string& out, const clsFile& file, const std::string* folderWithSeparator,
                         bool attributesRead) const {
    if (holdsMarker(file.Name) || holdsMarker(file.FileType) ||
        (folderWithSeparator && holdsMarker(*folderWithSeparator))) {
        std::string text = m_text;
        auto put = [&](Field f, std::string_view value) {
            std::string filled;
            appendValue(filled, value, m_quoted, m_escape);
            replaceAll(text, kFields[f], filled);
        };
        auto holds = [&](Field f) { return text.find(kFields[f]) != std::string::npos; };
        put(kNameField, file.Name);
        if (folderWithSeparator) put(kFolderField, *folderWithSeparator);
        put(kTypeField, file.FileType);
        put(kSizeField, file.FileSizeStr);
        if (holds(kDateField)) put(kDateField, dateTimeText(file.DateTime));
        put(kExtField, file.FileExt);
        if (holds(kAttribField)) put(kAttribField, attribText(file, attributesRead));
        out += text;
        return;
    }
    for (const Slot& slot : m_slots) {
        out.append(m_text, slot.begin, slot.length);
        switch (slot.field) {
            case kNameField: appendValue(out, file.Name, m_quoted, m_escape); break;
            case kFolderField:
                if (folderWithSeparator)
                    appendValue(out, *folderWithSeparator, m_quoted, m_escape);
                else
                    out += kFields[kFolderField];
                break;
            case kTypeField: appendValue(out, file.FileType, m_quoted, m_escape); break;
            case kSizeField: appendValue(out, file.FileSizeStr, m_quoted, m_escape); break;
            case kDateField:
                // Straight into the row: a date text holds nothing to escape.
                if (m_quoted) out += '"';
                appendGeneralDateText(file.DateTime, out);
                if (m_quoted) out += '"';
                break;
            case kExtField: appendValue(out, file.FileExt, m_quoted, m_escape); break;
            case kAttribField: appendValue(out, attribText(file, attributesRead), m_quoted, m_escape); break;
            default: break;
        }
    }
}

}  // namespace quillory
