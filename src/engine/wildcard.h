#pragma once
// A wildcard pattern compiled once and matched against many names or paths.
//
//   ?       any one character (one byte: names are bytes)
//   *       any run of characters, also none
//   #       one decimal digit 0-9
//   [list]  one character of the list; a-f is a range by character code;
//           a hyphen first or last stands for itself; ? * # [ inside stand for
//           themselves
//   [!list] one character not in the list
//
// The pattern must match the whole text. Pattern and text are lower-cased
// (ASCII letters only) before they are compared byte by byte, unsigned.
//
// Defined readings of what the language leaves open:
//   - a "[" that no "]" closes stands for itself ("a[b" matches "a[b");
//   - "[]" is a list with no characters and matches nothing, "[!]" matches
//     any one character;
//   - a range whose first end is above its last ("[z-a]") holds no character;
//   - "]" outside a list stands for itself.
//
// Matching never recurses and never backtracks across stars: the pieces
// between stars have fixed widths, so each piece is taken at its leftmost
// place, which costs at most O(pattern x text) and usually O(text).
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillory {

class WildcardPattern {
public:
    explicit WildcardPattern(std::string_view pattern);

    bool matches(std::string_view text) const;
    // True for a pattern made of stars only: it matches every text.
    bool matchesEverything() const { return m_matchesEverything; }

private:
    enum class StepKind : std::uint8_t { Literal, AnyChar, Digit, Set };
    struct Step {
        StepKind kind;
        unsigned char literal;  // for Literal, already lower-cased
        std::uint32_t set;      // index into m_sets, for Set
    };
    // Consecutive steps between two stars (or the pattern's ends).
    struct Piece {
        std::uint32_t begin;
        std::uint32_t end;
        std::size_t width() const { return end - begin; }
    };

    bool stepMatches(const Step& step, unsigned char c) const;
    bool pieceMatchesAt(const Piece& piece, std::string_view text, std::size_t at) const;
    void parseList(std::string_view list, bool negated);

    std::vector<Step> m_steps;
    std::vector<std::bitset<256>> m_sets;
    std::vector<Piece> m_pieces;  // one more than the (collapsed) stars
    bool m_matchesEverything = false;
};

}  // namespace quillory
