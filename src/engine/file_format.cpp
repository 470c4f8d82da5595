#include "engine/file_format.h"

#include <charconv>

#include "engine/listing_options.h"
#include "platform/file_attributes.h"
#include "platform/file_times.h"
#include "text/regional.h"
#include "text/type_text.h"
#include "settings/key_table.h"

namespace quillory {

namespace {

void appendWhole(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// bytes / 2^shift written with `decimals` decimals, halves away from zero.
// The division by a power of two is exact in double precision once the byte
// count is a double, so the decimal rounding is done exactly on that quotient
// in integers: printf would round the binary value half to even (1.25 -> 1.2).
void appendScaled(std::string& out, std::int64_t bytes, int shift, int decimals) {
    using Wide = unsigned __int128;
    const bool negative = bytes < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(bytes)
                                       : static_cast<std::uint64_t>(bytes);
    // Above 2^53 the count itself is rounded on its way to a double; keep that.
    if (magnitude > (std::uint64_t{1} << 53))
        magnitude = static_cast<std::uint64_t>(static_cast<double>(magnitude));
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const Wide scaled = (static_cast<Wide>(magnitude) * scale + (Wide{1} << (shift - 1))) >> shift;
    // Dividing 128 bits is a library call; any size below an exabyte fits in 64.
    const bool narrow = (scaled >> 64) == 0;
    const auto whole = narrow ? static_cast<std::uint64_t>(scaled) / scale : static_cast<std::uint64_t>(scaled / scale);
    auto fraction = narrow ? static_cast<std::uint64_t>(scaled) % scale : static_cast<std::uint64_t>(scaled % scale);
    if (negative && scaled != 0) out.push_back('-');
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, whole);
    out.append(digits, result.ptr);
    out.push_back('.');
    char frac[8];
    for (int i = decimals - 1; i >= 0; --i) {
        frac[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.append(frac, static_cast<std::size_t>(decimals));
}

std::string scaledText(std::int64_t bytes, int shift, int decimals, char decimalSep,
                       std::string_view unit) {
    std::string out;  // short enough to stay inside the string: no allocation
    appendScaled(out, bytes, shift, decimals);
    if (decimalSep != '.') out[out.find('.')] = decimalSep;
    out += unit;
    return out;
}

std::string bytesText(std::int64_t bytes) {
    std::string out;  // short enough to stay inside the string: no allocation
    appendWhole(out, bytes);
    out += " Bytes";
    return out;
}

constexpr std::int64_t kKilo = 1024;
constexpr std::int64_t kMega = 1024 * 1024;
constexpr std::int64_t kGiga = 1024 * 1024 * 1024;

}  // namespace

std::string sizeText(const ListingOptions& options, std::int64_t bytes) {
    return sizeTextFor(options.sizeDisplay, bytes, options.decimalSeparator);
}

std::string sizeTextFor(std::string_view displayFileSize, std::int64_t bytes, char decimalSep) {
    if (displayFileSize == words::Bytes) return bytesText(bytes);
    if (displayFileSize == words::Kb) return scaledText(bytes, 10, 1, decimalSep, " KB");
    if (displayFileSize == words::Mb) return scaledText(bytes, 20, 4, decimalSep, " MB");
    if (bytes < kKilo) return bytesText(bytes);
    if (bytes <= kMega) return scaledText(bytes, 10, 1, decimalSep, " KB");
    if (bytes <= kGiga) return scaledText(bytes, 20, 1, decimalSep, " MB");
    return scaledText(bytes, 30, 1, decimalSep, " GB");
}

std::string getExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(fileName.substr(dot + 1));
}

std::string attribLetters(std::int64_t attributeWord) {
    // All bits set is the failed read, whether it arrives as 32 or 64 bits.
    if (attributeWord == -1 || attributeWord == 0xFFFFFFFFLL) return {};
    std::string out;
    if (attributeWord & kArchiveAttribute) out.push_back('a');
    if (attributeWord & kHiddenAttribute) out.push_back('h');
    if (attributeWord & kReadOnlyAttribute) out.push_back('r');
    if (attributeWord & kSystemAttribute) out.push_back('s');
    return out;
}

std::string getAttribText(const std::string& fullPath) {
    return attribLetters(readAttributeWord(fullPath));
}

std::string dateTimeText(double dateTime) { return generalDateText(dateTime); }

std::string addSeparator(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != kSeparator) out.push_back(kSeparator);
    return out;
}

}  // namespace quillory
