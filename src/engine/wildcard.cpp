#include "engine/wildcard.h"

#include <string>

#include "text/ascii_case.h"
#include "engine/filters.h"

namespace quillory {

WildcardPattern::WildcardPattern(std::string_view pattern) {
    const std::string lowered = asciiLower(pattern);
    const std::string_view p = lowered;
    // Knowing the last "]" up front lets an unclosed "[" be recognised without
    // scanning the rest of the pattern, so a pattern of many "[" stays linear.
    const std::size_t lastClose = p.rfind(']');

    std::uint32_t pieceBegin = 0;
    bool afterStar = false;
    std::size_t i = 0;
    while (i < p.size()) {
        const char c = p[i];
        if (c == '*') {
            if (!afterStar) m_pieces.push_back({pieceBegin, static_cast<std::uint32_t>(m_steps.size())});
            pieceBegin = static_cast<std::uint32_t>(m_steps.size());
            afterStar = true;
            ++i;
            continue;
        }
        afterStar = false;
        if (c == '?') {
            m_steps.push_back({StepKind::AnyChar, 0, 0});
        } else if (c == '#') {
            m_steps.push_back({StepKind::Digit, 0, 0});
        } else if (c == '[') {
            std::size_t listBegin = i + 1;
            const bool negated = listBegin < p.size() && p[listBegin] == '!';
            if (negated) ++listBegin;
            if (lastClose != std::string_view::npos && lastClose >= listBegin) {
                const std::size_t close = p.find(']', listBegin);
                parseList(p.substr(listBegin, close - listBegin), negated);
                i = close + 1;
                continue;
            }
            m_steps.push_back({StepKind::Literal, '[', 0});
        } else {
            m_steps.push_back({StepKind::Literal, static_cast<unsigned char>(c), 0});
        }
        ++i;
    }
    m_pieces.push_back({pieceBegin, static_cast<std::uint32_t>(m_steps.size())});
    m_matchesEverything = m_steps.empty() && m_pieces.size() == 2;
}

void WildcardPattern::parseList(std::string_view list, bool negated) {
    std::bitset<256> members;
    std::size_t j = 0;
    while (j < list.size()) {
        const auto first = static_cast<unsigned char>(list[j]);
        // A hyphen between two characters makes a range; first or last in the
        // list it has no partner on one side and stands for itself.
        if (j + 2 < list.size() && list[j + 1] == '-') {
            const auto last = static_cast<unsigned char>(list[j + 2]);
            for (unsigned code = first; code <= last; ++code) members.set(code);
            j += 3;
        } else {
            members.set(first);
            ++j;
        }
    }
    if (negated) members.flip();
    m_sets.push_back(members);
    m_steps.push_back({StepKind::Set, 0, static_cast<std::uint32_t>(m_sets.size() - 1)});
}

bool WildcardPattern::stepMatches(const Step& step, unsigned char c) const {
    switch (step.kind) {
        case StepKind::Literal: return c == step.literal;
        case StepKind::AnyChar: return true;
        case StepKind::Digit: return c >= '0' && c <= '9';
        case StepKind::Set: return m_sets[step.set].test(c);
    }
    return false;
}

bool WildcardPattern::pieceMatchesAt(const Piece& piece, std::string_view text,
                                     std::size_t at) const {
    for (std::uint32_t s = piece.begin; s < piece.end; ++s, ++at)
        if (!stepMatches(m_steps[s], static_cast<unsigned char>(asciiLower(text[at])))) return false;
    return true;
}

bool WildcardPattern::matches(std::string_view text) const {
    if (m_matchesEverything) return true;
    // Every step takes exactly one character; stars take the rest.
    if (text.size() < m_steps.size()) return false;
    const Piece& head = m_pieces.front();
    if (m_pieces.size() == 1) return text.size() == head.width() && pieceMatchesAt(head, text, 0);

    const Piece& tail = m_pieces.back();
    const std::size_t tailAt = text.size() - tail.width();
    if (!pieceMatchesAt(tail, text, tailAt) || !pieceMatchesAt(head, text, 0)) return false;

    // Taking each middle piece at its leftmost place leaves the most room for
    // the pieces after it, so no other placement needs to be tried.
    std::size_t pos = head.width();
    for (std::size_t k = 1; k + 1 < m_pieces.size(); ++k) {
        const Piece& piece = m_pieces[k];
        while (pos + piece.width() <= tailAt && !pieceMatchesAt(piece, text, pos)) ++pos;
        if (pos + piece.width() > tailAt) return false;
        pos += piece.width();
    }
    return true;
}

bool wildcardMatch(std::string_view text, std::string_view pattern) {
    return WildcardPattern(pattern).matches(text);
}

}  // namespace quillory
