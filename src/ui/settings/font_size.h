#pragma once
// Point sizes of the sample labels and their stored form.
#include <string>
#include <string_view>

namespace quillory::ui {

// The whole point size a stored size shows as: its leading number rounded to
// the nearest whole number, a half going to the even neighbour (10.5 shows as
// 10, 11.5 as 12). `fallback` when that is below one point, which no font has.
int sampleFontSize(std::string_view stored, int fallback);

// A label's size as stored: the single-precision size in shortest decimal
// form, with a point ("10", "8.25", "10.1").
std::string storedFontSize(double pointSize);

}  // namespace quillory::ui
