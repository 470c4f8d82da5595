#pragma once
// What Save writes: the markup inside the document's root element, taken
// from the browser's serialization of the whole document.
#include <QString>

namespace quillory::ui {

// `serialized` is a whole document as the browser writes it out (an optional
// document-type line and comments, then "<html ...>" ... "</html>"). Returns
// the text between the root element's start tag and its end tag; the whole
// text when no root element can be found.
QString rootInnerHtml(const QString& serialized);

}  // namespace quillory::ui
