#include "print/TextColumns.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <iterator>

namespace print {

namespace {

struct Range {
    char32_t first, last;
};

// The blocks Unicode's East Asian Width gives W or F, in order. The scattered
// emoji of U+2000 to U+2BFF are left at one column: the fixed-pitch font draws
// most of them itself, one column each.
constexpr Range WideRanges[] = {
    {0x1100, 0x115F},    // Hangul Jamo: leading consonants
    {0x2329, 0x232A},    // angle brackets
    {0x2E80, 0x303E},    // CJK radicals, Kangxi radicals, CJK symbols and punctuation
    {0x3041, 0x33FF},    // Hiragana, Katakana, Bopomofo, Hangul compatibility Jamo, CJK letters
    {0x3400, 0x4DBF},    // CJK Unified Ideographs Extension A
    {0x4E00, 0x9FFF},    // CJK Unified Ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xA960, 0xA97F},    // Hangul Jamo Extended-A
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK Compatibility Ideographs
    {0xFE10, 0xFE19},    // vertical forms
    {0xFE30, 0xFE6F},    // CJK compatibility forms, small form variants
    {0xFF00, 0xFF60},    // fullwidth forms
    {0xFFE0, 0xFFE6},    // fullwidth signs
    {0x1B000, 0x1B2FF},  // Kana supplement and extensions
    {0x1F300, 0x1F64F},  // pictographs and emoticons
    {0x1F900, 0x1F9FF},  // supplemental pictographs
    {0x20000, 0x2FFFD},  // CJK Unified Ideographs Extensions B to F, compatibility supplement
    {0x30000, 0x3FFFD},  // CJK Unified Ideographs Extension G and later
};

bool isWide(char32_t character)
{
    const auto after = std::upper_bound(std::begin(WideRanges), std::end(WideRanges), character,
                                        [](char32_t c, const Range& range) { return c < range.first; });
    return after != std::begin(WideRanges) && character <= std::prev(after)->last;
}

}  // namespace

char32_t nextCharacter(QStringView text, qsizetype& at)
{
    const QChar unit = text.at(at++);
    if (unit.isHighSurrogate() && at < text.size() && text.at(at).isLowSurrogate())
        return QChar::surrogateToUcs4(unit, text.at(at++));
    return unit.unicode();
}

int characterColumns(char32_t character)
{
    // Most of what a shop prints: no table to look into.
    if (character >= 0x20 && character < 0x7F)
        return 1;
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return 0;
    default:
        break;
    }
    if (character >= 0x1160 && character <= 0x11FF)
        return 0;
    return isWide(character) ? 2 : 1;
}

int textColumns(QStringView text)
{
    int columns = 0;
    for (qsizetype at = 0; at < text.size();)
        columns += characterColumns(nextCharacter(text, at));
    return columns;
}

qsizetype fittingLength(QStringView text, int columns)
{
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    int used = 0;
    qsizetype at = 0;
    for (qsizetype next = letters.toNextBoundary(); next > at; next = letters.toNextBoundary()) {
        used += textColumns(text.mid(at, next - at));
        if (used > columns)
            break;
        at = next;
    }
    return at;
}

qsizetype firstLetterLength(QStringView text)
{
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    return std::max<qsizetype>(letters.toNextBoundary(), 0);
}

}  // namespace print
