#include "vat/CodePage.h"

#include "engine/Errors.h"

#include <QHash>
#include <iconv.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char *IconvName(CodePage codePage) { return codePage == CodePage::Oem866 ? "CP866" : "CP1251"; }

class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw MyException(u"Кодовата таблица %1 не е достъпна!"_s.arg(QString::fromLatin1(to)));
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // The converted bytes, or nothing when the input cannot be converted whole.
    std::optional<QByteArray> convert(QByteArray input)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        QByteArray output(input.size() * 4 + 16, '\0');
        char *in = input.data();
        size_t inLeft = size_t(input.size());
        char *out = output.data();
        size_t outLeft = size_t(output.size());
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == size_t(-1)
            || iconv(m_cd, nullptr, nullptr, &out, &outLeft) == size_t(-1))
            return std::nullopt;
        output.truncate(output.size() - int(outLeft));
        return output;
    }

private:
    iconv_t m_cd;
};

char EncodeChar(Converter &converter, const QString &character)
{
    const auto bytes = converter.convert(character.toUtf8());
    return bytes && bytes->size() == 1 ? bytes->at(0) : '?';
}

}  // namespace

QByteArray EncodeText(const QString &text, CodePage codePage)
{
    QByteArray out;
    out.reserve(text.size());
    std::optional<Converter> converter;
    QHash<char32_t, char> known;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
            continue;
        }
        QString character(c);
        if (c.isHighSurrogate() && i + 1 < text.size())
            character += text.at(++i);
        const char32_t code = character.toUcs4().value(0);
        auto it = known.constFind(code);
        if (it == known.constEnd()) {
            if (!converter) {
                const QByteArray target = QByteArray(IconvName(codePage)) + "//TRANSLIT";
                converter.emplace(target.constData(), "UTF-8");
            }
            it = known.insert(code, EncodeChar(*converter, character));
        }
        out += *it;
    }
    return out;
}

QString DecodeText(const QByteArray &bytes, CodePage codePage)
{
    Converter converter("UTF-8", IconvName(codePage));
    const auto text = converter.convert(bytes);
    if (!text)
        throw MyException(u"Текстът не е в кодовата таблица %1!"_s.arg(QString::fromLatin1(IconvName(codePage))));
    return QString::fromUtf8(*text);
}
