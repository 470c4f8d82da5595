#include "shell/thunar_actions.h"

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace quillory::shell {
namespace {

struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
};

struct ActionMap {
    QString text;
    std::vector<Span> named;        // the actions carrying the name, whole lines
    qsizetype closeTag = -1;        // where "</actions>" starts
    bool emptyRoot = false;         // "<actions/>": closeTag is where it starts
    std::optional<std::string> firstCommand;
};

// Widens a span to whole lines when only blanks share its lines, so that a
// cut leaves no empty line behind.
Span wholeLines(const QString& text, Span span) {
    qsizetype begin = span.begin;
    while (begin > 0 && (text[begin - 1] == u' ' || text[begin - 1] == u'\t')) --begin;
    qsizetype end = span.end;
    while (end < text.size() && (text[end] == u' ' || text[end] == u'\t')) ++end;
    if (end < text.size() && text[end] == u'\r') ++end;
    const bool lineEnd = end < text.size() && text[end] == u'\n';
    if ((begin == 0 || text[begin - 1] == u'\n') && (lineEnd || end == text.size()))
        return {begin, lineEnd ? end + 1 : end};
    return span;
}

// Where the tag that ends at `after` begins.
qsizetype tagStart(const QString& text, qsizetype after) { return text.lastIndexOf(u'<', after - 1); }

std::optional<ActionMap> mapActions(std::string_view fileText, std::string_view name) {
    ActionMap map;
    const QByteArray bytes(fileText.data(), static_cast<qsizetype>(fileText.size()));
    map.text = QString::fromUtf8(bytes);
    if (map.text.toUtf8() != bytes) return std::nullopt;  // not UTF-8: not ours to rewrite
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));

    QXmlStreamReader reader(map.text);
    int depth = 0;
    qsizetype actionBegin = 0;
    QString actionName, actionCommand;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        const qsizetype offset = reader.characterOffset();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 1 && reader.name() != QLatin1String("actions")) return std::nullopt;
            if (depth == 2 && reader.name() == QLatin1String("action")) {
                actionBegin = tagStart(map.text, offset);
                actionName.clear();
                actionCommand.clear();
            } else if (depth == 3 && reader.name() == QLatin1String("name") &&
                       !reader.attributes().hasAttribute(QStringLiteral("xml:lang"))) {
                // The name itself; its translations carry xml:lang.
                actionName = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            } else if (depth == 3 && reader.name() == QLatin1String("command")) {
                actionCommand = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 2 && reader.name() == QLatin1String("action") && actionName == wanted) {
                map.named.push_back(wholeLines(map.text, {actionBegin, offset}));
                if (!map.firstCommand) map.firstCommand = actionCommand.toStdString();
            }
            if (depth == 1) {
                map.closeTag = tagStart(map.text, offset);
                map.emptyRoot = map.text.mid(map.closeTag, 2) != QLatin1String("</");
            }
            --depth;
        }
    }
    if (reader.hasError() || map.closeTag < 0) return std::nullopt;
    return map;
}

// The text with the named actions cut out; `closeTag` moved with the cuts.
QString cutNamed(const ActionMap& map, qsizetype& closeTag) {
    QString text = map.text;
    for (auto span = map.named.rbegin(); span != map.named.rend(); ++span) {
        text.remove(span->begin, span->end - span->begin);
        if (span->begin < closeTag) closeTag -= span->end - span->begin;
    }
    return text;
}

std::string toBytes(const QString& text) { return text.toUtf8().toStdString(); }

// A byte-order mark is not part of the text that decoding gives back; it is
// set aside and put back in front.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutMark(std::string_view fileText) {
    return fileText.substr(0, kByteOrderMark.size()) == kByteOrderMark ? fileText.substr(kByteOrderMark.size())
                                                                        : fileText;
}

std::optional<std::string> markedLike(std::string_view fileText, std::optional<std::string> text) {
    if (text && withoutMark(fileText).size() != fileText.size()) text->insert(0, kByteOrderMark);
    return text;
}

}  // namespace

std::string thunarActionElement(const ActionText& name, const ActionText& description, std::string_view command) {
    QString element;
    QXmlStreamWriter writer(&element);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(-1);
    const auto text = [](std::string_view value) {
        return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    };
    const auto writeText = [&](const QString& tag, const ActionText& value) {
        writer.writeTextElement(tag, text(value.text));
        for (const Translation& t : value.translated) {
            writer.writeStartElement(tag);
            writer.writeAttribute(QStringLiteral("xml:lang"), text(t.locale));
            writer.writeCharacters(text(t.text));
            writer.writeEndElement();
        }
    };
    writer.writeStartElement(QStringLiteral("action"));
    writer.writeTextElement(QStringLiteral("icon"), QStringLiteral("document-print"));
    writeText(QStringLiteral("name"), name);
    writer.writeTextElement(QStringLiteral("submenu"), QString());
    writer.writeTextElement(QStringLiteral("unique-id"), QStringLiteral("quillory-print-listing"));
    writer.writeTextElement(QStringLiteral("command"), text(command));
    writeText(QStringLiteral("description"), description);
    writer.writeTextElement(QStringLiteral("range"), QString());
    writer.writeTextElement(QStringLiteral("patterns"), QStringLiteral("*"));
    writer.writeEmptyElement(QStringLiteral("directories"));
    writer.writeEndElement();
    return toBytes(element.trimmed());
}

std::optional<std::string> withThunarAction(std::string_view fileText, std::string_view name,
                                            std::string_view element) {
    if (withoutMark(fileText).size() != fileText.size())
        return markedLike(fileText, withThunarAction(withoutMark(fileText), name, element));
    const QString entry = QString::fromUtf8(element.data(), static_cast<qsizetype>(element.size()));
    if (fileText.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return toBytes(QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n") + entry +
                       QLatin1String("\n</actions>\n"));
    const auto map = mapActions(fileText, name);
    if (!map) return std::nullopt;
    qsizetype closeTag = map->closeTag;
    QString text = cutNamed(*map, closeTag);
    if (map->emptyRoot) {
        const qsizetype tagEnd = text.indexOf(u'>', closeTag) + 1;
        text.replace(closeTag, tagEnd - closeTag, QLatin1String("<actions>\n") + entry + QLatin1String("\n</actions>"));
    } else if (closeTag > 0 && text[closeTag - 1] == u'\n') {
        text.insert(closeTag, entry + u'\n');
    } else {
        text.insert(closeTag, u'\n' + entry + u'\n');
    }
    return toBytes(text);
}

std::optional<std::string> withoutThunarAction(std::string_view fileText, std::string_view name) {
    if (withoutMark(fileText).size() != fileText.size())
        return markedLike(fileText, withoutThunarAction(withoutMark(fileText), name));
    const auto map = mapActions(fileText, name);
    if (!map) return std::nullopt;
    qsizetype closeTag = map->closeTag;
    return toBytes(cutNamed(*map, closeTag));
}

std::optional<std::string> thunarActionCommand(std::string_view fileText, std::string_view name) {
    const auto map = mapActions(withoutMark(fileText), name);
    if (!map) return std::nullopt;
    return map->firstCommand;
}

}  // namespace quillory::shell
