// The pure parts of the settings dialog: shown font sizes, stored colours,
// the colour schemes and the depth stepping.
#include <gtest/gtest.h>

#include "engine/document.h"
#include "ui/settings/colour_schemes.h"
#include "ui/settings/font_size.h"
#include "ui/settings/stored_colour.h"
#include "ui/settings/up_down.h"

namespace quillory::ui {
namespace {

TEST(SampleFontSize, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        const char* stored;
        int shown;
    } rows[] = {{"10.5", 10}, {"11.5", 12}, {"9.75", 10}, {"24pt", 24}, {"", 7}, {"0.4", 7}, {"-3", 7}};
    for (const auto& row : rows) EXPECT_EQ(sampleFontSize(row.stored, 7), row.shown) << row.stored;
}

TEST(StoredColour, DecimalNumberWithRedInTheLowByte) {
    EXPECT_EQ(qColorOf(16744448).name(), "#0080ff");
    const struct {
        const char* stored;
        ColourNumber colour;
    } rows[] = {{"128", 128}, {" 65535 ", 65535}, {"", 42}, {"red", 42},
                {"-1", 42},   {"12abc", 42},      {"16777216", 0}};
    for (const auto& row : rows) EXPECT_EQ(colourFromStored(row.stored, 42), row.colour) << row.stored;
}

// The decimal figures and the style sheet's #RRGGBB texts are kept apart, so
// a mistyped figure shows here.
TEST(ColourSchemes, EachSchemeGivesItsThreeBackgrounds) {
    const struct {
        const char* name;
        const char* even;
        const char* odd;
        const char* folder;
    } rows[] = {
        {"Cool Green", "#F0FFF0", "#D7FDCC", "#00552B"},  {"Cool Blue", "#DDEEFF", "#8AC5FF", "#0080FF"},
        {"Cool Yellow", "#FFFFDD", "#FFFFB0", "#FFFF00"}, {"Nice Grey", "#AFAFAF", "#EFEFEF", "#808080"},
        {"Princess Pink", "#FFC5A8", "#FFE2D5", "#FF8040"}, {"Denim Blue", "#D7EBFF", "#C1E0FF", "#004080"},
        {"Black Grey", "#8F8F8F", "#DFDFDF", "#000000"},  {"Brick Red", "#FF9595", "#FFCCCC", "#800000"},
    };
    ASSERT_EQ(std::size(rows), kColourSchemes.size());
    for (std::size_t i = 0; i < kColourSchemes.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_EQ(kColourSchemes[i].name, row.name);
        const auto style = schemeStyle(row.name);
        ASSERT_TRUE(style) << row.name;
        EXPECT_EQ(colorToHTML(style->fileBack) + colorToHTML(style->fileBackOdd) + colorToHTML(style->folBack),
                  std::string(row.even) + row.odd + row.folder);
    }
    EXPECT_FALSE(schemeStyle("brick red") || schemeStyle("Brick Red "));
}

TEST(SteppedNumber, StepsTheLeadingNumberWithinItsRange) {
    const struct {
        const char* text;
        int delta;
        const char* stepped;
    } rows[] = {{"6", -1, "5"},   {"5000", -1, "1000"}, {"1", -1, "1"},
                {"abc", 1, "1"}, {"12abc", 1, "13"},   {"6.9", 1, "7"}};
    for (const auto& row : rows)
        EXPECT_EQ(steppedNumber(row.text, row.delta, 1, 1000), row.stepped) << row.text << " " << row.delta;
}

}  // namespace
}  // namespace quillory::ui
