#include "core/NumberTexts.h"

#include <QVector>

namespace numbertexts {

namespace {

constexpr int Lowest = -32768;
constexpr int Highest = 32767;

// Every text one after the other, and where each begins (one more at the end).
struct Block {
    QString characters;
    QVector<int> starts;

    // As QString::number writes it, without a string for each.
    void appendText(int number)
    {
        char16_t digits[8];
        int first = 8;
        unsigned magnitude = number < 0 ? 0u - unsigned(number) : unsigned(number);
        do {
            digits[--first] = char16_t(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (number < 0)
            digits[--first] = u'-';
        characters.append(QStringView(digits + first, 8 - first));
    }

    Block()
    {
        starts.reserve(Highest - Lowest + 2);
        characters.reserve(6 * (Highest - Lowest + 1));
        for (int number = Lowest; number <= Highest; ++number) {
            starts.append(int(characters.size()));
            appendText(number);
        }
        starts.append(int(characters.size()));
    }
};

const Block& block()
{
    static const Block made;
    return made;
}

}  // namespace

QString of(int number)
{
    if (number < Lowest || number > Highest)
        return QString::number(number);
    const Block& texts = block();
    const int at = number - Lowest;
    return QString::fromRawData(texts.characters.constData() + texts.starts.at(at),
                                texts.starts.at(at + 1) - texts.starts.at(at));
}

}  // namespace numbertexts
