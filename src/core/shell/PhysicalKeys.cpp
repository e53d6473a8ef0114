#include "shell/PhysicalKeys.h"

#include <QString>
#include <array>

using namespace Qt::StringLiterals;

namespace {

struct LetterKey {
    char16_t latin;
    quint32 xkb;
    quint32 windows;
    char16_t standard;  // BDS; 0 where the key types no letter
    char16_t phonetic;
};

// The 26 letter keys in the rows of the keyboard.
constexpr std::array<LetterKey, 26> Keys = {{
    {u'Q', 24, 0x10, 0, u'Я'},      {u'W', 25, 0x11, u'У', u'В'}, {u'E', 26, 0x12, u'Е', u'Е'},
    {u'R', 27, 0x13, u'И', u'Р'},   {u'T', 28, 0x14, u'Ш', u'Т'}, {u'Y', 29, 0x15, u'Щ', u'Ъ'},
    {u'U', 30, 0x16, u'К', u'У'},   {u'I', 31, 0x17, u'С', u'И'}, {u'O', 32, 0x18, u'Д', u'О'},
    {u'P', 33, 0x19, u'З', u'П'},   {u'A', 38, 0x1E, u'Ь', u'А'}, {u'S', 39, 0x1F, u'Я', u'С'},
    {u'D', 40, 0x20, u'А', u'Д'},   {u'F', 41, 0x21, u'О', u'Ф'}, {u'G', 42, 0x22, u'Ж', u'Г'},
    {u'H', 43, 0x23, u'Г', u'Х'},   {u'J', 44, 0x24, u'Т', u'Й'}, {u'K', 45, 0x25, u'Н', u'К'},
    {u'L', 46, 0x26, u'В', u'Л'},   {u'Z', 52, 0x2C, u'Ю', u'З'}, {u'X', 53, 0x2D, u'Й', u'Ь'},
    {u'C', 54, 0x2E, u'Ъ', u'Ц'},   {u'V', 55, 0x2F, u'Э', u'Ж'}, {u'B', 56, 0x30, u'Ф', u'Б'},
    {u'N', 57, 0x31, u'Х', u'Н'},   {u'M', 58, 0x32, u'П', u'М'},
}};

const LetterKey *KeyOfLatin(QChar latin)
{
    const char16_t wanted = latin.toUpper().unicode();
    for (const LetterKey &k : Keys)
        if (k.latin == wanted)
            return &k;
    return nullptr;
}

}  // namespace

ScanCodeSet ScanCodeSetOfPlatform(const QString &platformName)
{
    return platformName == u"windows"_s ? ScanCodeSet::Windows : ScanCodeSet::Xkb;
}

std::optional<QChar> LatinKeyOfScanCode(quint32 scanCode, ScanCodeSet set)
{
    for (const LetterKey &k : Keys)
        if ((set == ScanCodeSet::Xkb ? k.xkb : k.windows) == scanCode)
            return QChar(k.latin);
    return std::nullopt;
}

quint32 ScanCodeOfLatinKey(QChar latin, ScanCodeSet set)
{
    const LetterKey *k = KeyOfLatin(latin);
    return !k ? 0 : set == ScanCodeSet::Xkb ? k->xkb : k->windows;
}

QChar LetterOnKey(QChar latin, KeyLayout layout)
{
    const LetterKey *k = KeyOfLatin(latin);
    if (!k)
        return {};
    switch (layout) {
    case KeyLayout::Latin: return QChar(k->latin);
    case KeyLayout::BgStandard: return k->standard ? QChar(k->standard) : QChar();
    case KeyLayout::BgPhonetic: return QChar(k->phonetic);
    }
    return {};
}

QList<QChar> KeysTypingLetter(QChar letter)
{
    const QChar wanted = letter.toUpper();
    QList<QChar> keys;
    for (const LetterKey &k : Keys)
        for (KeyLayout layout : {KeyLayout::Latin, KeyLayout::BgStandard, KeyLayout::BgPhonetic})
            if (LetterOnKey(QChar(k.latin), layout) == wanted && !keys.contains(QChar(k.latin)))
                keys.append(QChar(k.latin));
    return keys;
}
