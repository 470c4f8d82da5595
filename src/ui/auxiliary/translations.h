#pragma once
// The program's texts and Qt's own (its dialogs' buttons and captions) in the
// user's language, for as long as this object lives.
#include <QLocale>
#include <QTranslator>

namespace quillory::ui {

class Translations {
public:
    explicit Translations(const QLocale& locale);
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // False when the program has no translation for the locale (English and
    // C among them): its texts then stay as written in the code.
    bool loaded() const { return m_ownLoaded; }

private:
    QTranslator m_own;
    QTranslator m_qt;
    bool m_ownLoaded = false;
};

}  // namespace quillory::ui
