#pragma once
// The eight ready-made colour schemes of the HTML style page. Each sets the
// whole sample style: white page, black file text, white folder text, Tahoma,
// and its own three backgrounds.
#include <array>
#include <optional>
#include <string_view>

#include "ui/settings/stored_colour.h"

namespace quillory::ui {

// What the style samples show, in the order setSampleStyle takes it.
struct SampleStyle {
    ColourNumber bodyBack = kWhite;
    ColourNumber fileBack = kWhite;     // even rows
    ColourNumber fileBackOdd = kWhite;  // odd rows
    ColourNumber fileFontColor = kBlack;
    ColourNumber folBack = kBlack;
    ColourNumber folFontColor = kWhite;
    std::string_view folFont = "Tahoma";
    std::string_view fileFont = "Tahoma";
};

struct ColourScheme {
    std::string_view name;
    ColourNumber fileBack;
    ColourNumber fileBackOdd;
    ColourNumber folBack;
};

// In the order the list shows them.
inline constexpr std::array<ColourScheme, 8> kColourSchemes{{
    {"Cool Green", 15794160, 13434327, 2839808},
    {"Cool Blue", 16772829, 16762250, 16744448},
    {"Cool Yellow", 14548991, 11599871, 65535},
    {"Nice Grey", 11513775, 15724527, 8421504},
    {"Princess Pink", 11060735, 14017279, 4227327},
    {"Denim Blue", 16772055, 16769217, 8404992},
    {"Black Grey", 9408399, 14671839, 0},
    {"Brick Red", 9803263, 13421823, 128},
}};

// The style of the scheme named exactly so (case counts); none for any other text.
std::optional<SampleStyle> schemeStyle(std::string_view name);

}  // namespace quillory::ui
