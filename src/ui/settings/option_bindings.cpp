#include "ui/settings/option_bindings.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimeEdit>
#include <array>
#include <string>
#include <string_view>

#include "settings/store.h"
#include "settings/values.h"
#include "ui/settings/font_size.h"
#include "ui/settings/order_buttons.h"
#include "ui/settings/radio_selection.h"
#include "ui/settings/sample_label.h"
#include "ui/settings/stored_colour.h"
#include "ui/settings/stored_date_time.h"

namespace quillory::ui {

namespace {

// How a control shows its key's text.
enum class Shows {
    Text,        // a text box: the text as stored
    Flag,        // a check box: on when the leading number is not 0; "1" or "0"
    DateTime,    // a date picker and a time picker: one date-time, time first when stored
    Word,        // option buttons, one per word of the key, in the key's word order
    OrderGroup,  // the six order buttons: NoOrder, NameOrder, ExtOrder, SizeOrder, TypeOrder, DateOrder
    Background,  // a sample label's background colour
    TextColour,  // a sample label's text colour
    Face,        // a sample label's font face
    FontSize,    // a sample label's point size
};

struct Binding {
    std::array<const char*, 6> controls;  // object names; most kinds have one
    const SettingKey* key;                // for the order group, its first key
    Shows shows;
};

// In the order OK writes the keys. Loading walks the same order: a read
// changes nothing else, and within the order group the group keeps its own
// read order. The column rows are read and written name, extension, type...
// although the extension's row is the third.
constexpr Binding kBindings[] = {
    {{"txtInclude"}, &keys::FileInclude, Shows::Text},
    {{"txtSkip"}, &keys::FileExclude, Shows::Text},
    {{"txtIncludeFol"}, &keys::FolInclude, Shows::Text},
    {{"txtSkipFol"}, &keys::FolExclude, Shows::Text},
    {{"DTPicker1", "DTPicker2"}, &keys::FileTimeFrom, Shows::DateTime},
    {{"DTPicker3", "DTPicker4"}, &keys::FileTimeTo, Shows::DateTime},
    {{"chFileTime"}, &keys::FileTime, Shows::Flag},
    {{"chFileSize"}, &keys::FileSize, Shows::Flag},
    {{"txtFromSize"}, &keys::FileSizeFrom, Shows::Text},
    {{"txtToSize"}, &keys::FileSizeTo, Shows::Text},
    {{"optNoOrder", "optNameOrder", "optExtOrder", "optSizeOrder", "optTypeOrder", "optDateOrder"},
     &keys::NoOrder, Shows::OrderGroup},
    {{"chkIgnore"}, &keys::IgnoreNoFiles, Shows::Flag},
    {{"optRecurseInfinite", "optNoRecursion", "optRecurseDepth"}, &keys::Recurse, Shows::Word},
    {{"txtDepth"}, &keys::RecurseDepth, Shows::Text},
    {{"chName"}, &keys::Name, Shows::Flag},
    {{"chExt"}, &keys::Ext, Shows::Flag},
    {{"chType"}, &keys::Type, Shows::Flag},
    {{"chSize"}, &keys::Size, Shows::Flag},
    {{"chTime"}, &keys::DateTime, Shows::Flag},
    {{"chAttrib"}, &keys::Attrib, Shows::Flag},
    {{"Text1_0"}, &keys::NameStr, Shows::Text},
    {{"Text1_2"}, &keys::ExtStr, Shows::Text},
    {{"Text1_1"}, &keys::TypeStr, Shows::Text},
    {{"Text1_3"}, &keys::SizeStr, Shows::Text},
    {{"Text1_4"}, &keys::DateStr, Shows::Text},
    {{"Text1_5"}, &keys::AttribStr, Shows::Text},
    {{"Text2_0"}, &keys::NameWidth, Shows::Text},
    {{"Text2_2"}, &keys::ExtWidth, Shows::Text},
    {{"Text2_1"}, &keys::TypeWidth, Shows::Text},
    {{"Text2_3"}, &keys::SizeWidth, Shows::Text},
    {{"Text2_4"}, &keys::DateWidth, Shows::Text},
    {{"Text2_5"}, &keys::AttribWidth, Shows::Text},
    {{"optByteSize", "optKBSize", "optMBSize", "optDynamicSize"}, &keys::DisplayFileSize, Shows::Word},
    {{"lblBody"}, &keys::BodyBack, Shows::Background},
    {{"lblFile"}, &keys::FileBack, Shows::Background},
    {{"lblFileOdd"}, &keys::FileBackOdd, Shows::Background},
    {{"lblFolder"}, &keys::FolBack, Shows::Background},
    {{"lblFile"}, &keys::FileFont, Shows::Face},
    {{"lblFolder"}, &keys::FolFont, Shows::Face},
    {{"lblFile"}, &keys::FileFontSize, Shows::FontSize},
    {{"lblFolder"}, &keys::FolFontSize, Shows::FontSize},
    {{"lblFile"}, &keys::FileFontColor, Shows::TextColour},
    {{"lblFolder"}, &keys::FolFontColor, Shows::TextColour},
};

// A word key has one button per word, and every control named is there.
constexpr bool bindingsAreConsistent() {
    for (const Binding& b : kBindings) {
        std::size_t named = 0;
        while (named < b.controls.size() && b.controls[named]) ++named;
        if (b.shows == Shows::Word && named != b.key->words.size()) return false;
        if (b.shows == Shows::OrderGroup && named != 6) return false;
        if (b.shows == Shows::DateTime && named != 2) return false;
    }
    return true;
}
static_assert(bindingsAreConsistent(), "each binding names the controls its kind needs");

template <typename W>
W* find(QWidget& dialog, const char* name) {
    return dialog.findChild<W*>(QString::fromLatin1(name));
}

OrderButtons orderButtons(QWidget& dialog, const Binding& b) {
    return {find<QRadioButton>(dialog, b.controls[0]), find<QRadioButton>(dialog, b.controls[1]),
            find<QRadioButton>(dialog, b.controls[2]), find<QRadioButton>(dialog, b.controls[3]),
            find<QRadioButton>(dialog, b.controls[4]), find<QRadioButton>(dialog, b.controls[5])};
}

std::array<QRadioButton*, 6> wordButtons(QWidget& dialog, const Binding& b) {
    std::array<QRadioButton*, 6> buttons{};
    for (std::size_t i = 0; i < b.key->words.size(); ++i) buttons[i] = find<QRadioButton>(dialog, b.controls[i]);
    return buttons;
}

// What the key's own default shows when the stored text is no colour.
ColourNumber colourOf(const std::string& stored, const SettingKey& key) {
    return colourFromStored(stored, colourFromStored(key.def, kBlack));
}

void load(QWidget& dialog, SettingsStore& store, const Binding& b) {
    if (b.shows == Shows::OrderGroup) return loadOrderButtons(orderButtons(dialog, b), store);
    const std::string stored = store.read(*b.key);
    switch (b.shows) {
    case Shows::Text: find<QLineEdit>(dialog, b.controls[0])->setText(QString::fromStdString(stored)); break;
    case Shows::Flag: find<QCheckBox>(dialog, b.controls[0])->setChecked(flagOn(stored)); break;
    case Shows::DateTime:
        // A text the pickers cannot read leaves them as they are.
        if (const auto values = pickerValues(stored)) {
            find<QDateEdit>(dialog, b.controls[0])->setDate(values->date);
            find<QTimeEdit>(dialog, b.controls[1])->setTime(values->time);
        }
        break;
    case Shows::Word: {
        const auto buttons = wordButtons(dialog, b);
        QRadioButton* chosen = nullptr;
        for (std::size_t i = 0; i < b.key->words.size(); ++i)
            if (stored == b.key->words[i]) chosen = buttons[i];
        selectOnly(buttons, chosen);
        break;
    }
    case Shows::Background: setSampleBack(find<QLabel>(dialog, b.controls[0]), colourOf(stored, *b.key)); break;
    case Shows::TextColour: setSampleFore(find<QLabel>(dialog, b.controls[0]), colourOf(stored, *b.key)); break;
    case Shows::Face: setSampleFace(find<QLabel>(dialog, b.controls[0]), QString::fromStdString(stored)); break;
    case Shows::FontSize:
        setSampleSize(find<QLabel>(dialog, b.controls[0]), sampleFontSize(stored, sampleFontSize(b.key->def, 1)));
        break;
    case Shows::OrderGroup: break;
    }
}

Status save(QWidget& dialog, SettingsStore& store, const Binding& b) {
    const SettingKey& key = *b.key;
    switch (b.shows) {
    case Shows::Text: return store.write(key, find<QLineEdit>(dialog, b.controls[0])->text().toStdString());
    case Shows::Flag: return store.write(key, boolToFlag(find<QCheckBox>(dialog, b.controls[0])->isChecked()));
    case Shows::DateTime:
        return store.write(key, storedDateTime(PickerValues{find<QDateEdit>(dialog, b.controls[0])->date(),
                                                     find<QTimeEdit>(dialog, b.controls[1])->time()}));
    case Shows::Word: {
        // The first selected button in word order; none selected stores the empty text.
        const auto buttons = wordButtons(dialog, b);
        std::string_view word;
        for (std::size_t i = 0; i < key.words.size() && word.empty(); ++i)
            if (buttons[i]->isChecked()) word = key.words[i];
        return store.write(key, word);
    }
    case Shows::OrderGroup: return saveOrderButtons(orderButtons(dialog, b), store);
    case Shows::Background: return store.write(key, storedColour(sampleBack(find<QLabel>(dialog, b.controls[0]))));
    case Shows::TextColour: return store.write(key, storedColour(sampleFore(find<QLabel>(dialog, b.controls[0]))));
    case Shows::Face: return store.write(key, sampleFace(find<QLabel>(dialog, b.controls[0])).toStdString());
    case Shows::FontSize: return store.write(key, storedFontSize(sampleSize(find<QLabel>(dialog, b.controls[0]))));
    }
    return Status::ok();
}

}  // namespace

void loadOptions(QWidget& dialog, SettingsStore& store) {
    for (const Binding& b : kBindings) load(dialog, store, b);
}

Status saveOptions(QWidget& dialog, SettingsStore& store) {
    Status first;
    for (const Binding& b : kBindings)
        if (Status saved = save(dialog, store, b); !saved && first) first = std::move(saved);
    return first;
}

}  // namespace quillory::ui
