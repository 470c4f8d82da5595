#include "ui/auxiliary/preview_markup.h"

namespace quillory::ui {
namespace {

// Index just past the '>' that closes the tag opening at `from`; attribute
// values in quotes may hold a '>' of their own. -1 when the tag never closes.
qsizetype pastTagEnd(const QString& text, qsizetype from) {
    QChar quote;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return -1;
}

// Index of the root element's '<': past a document-type line, comments and
// processing instructions that may come before it. -1 when there is none.
qsizetype rootStart(const QString& text) {
    qsizetype i = 0;
    while (i < text.size()) {
        i = text.indexOf(u'<', i);
        if (i < 0 || i + 1 >= text.size()) return -1;
        if (text.mid(i, 4) == u"<!--") {
            const qsizetype end = text.indexOf(u"-->", i + 4);
            if (end < 0) return -1;
            i = end + 3;
        } else if (text[i + 1] == u'!' || text[i + 1] == u'?') {
            i = pastTagEnd(text, i);
            if (i < 0) return -1;
        } else if (text[i + 1].isLetter()) {
            return i;
        } else {
            ++i;
        }
    }
    return -1;
}

}  // namespace

QString rootInnerHtml(const QString& serialized) {
    const qsizetype start = rootStart(serialized);
    if (start < 0) return serialized;
    const qsizetype innerStart = pastTagEnd(serialized, start);
    if (innerStart < 0) return serialized;
    qsizetype nameEnd = start + 1;
    while (nameEnd < innerStart && !serialized[nameEnd].isSpace() && serialized[nameEnd] != u'>' &&
           serialized[nameEnd] != u'/')
        ++nameEnd;
    const QString endTag = QStringLiteral("</") + serialized.mid(start + 1, nameEnd - start - 1) + u'>';
    const qsizetype innerEnd = serialized.lastIndexOf(endTag, -1, Qt::CaseInsensitive);
    if (innerEnd < innerStart) return serialized.mid(innerStart);
    return serialized.mid(innerStart, innerEnd - innerStart);
}

}  // namespace quillory::ui
