#pragma once
// Single-byte code pages of the VAT files, through the C library's iconv. One character always
// becomes one byte, so fixed-width records keep their widths: a character the code page lacks is
// written as its one-character transliteration when there is one („ → "), else as "?".
#include <QByteArray>
#include <QString>

enum class CodePage {
    Oem866,       // the DOS Cyrillic code page of the authority's files
    Windows1251,  // the program's own texts, written without conversion
};

QByteArray EncodeText(const QString &text, CodePage codePage);
QString DecodeText(const QByteArray &bytes, CodePage codePage);
