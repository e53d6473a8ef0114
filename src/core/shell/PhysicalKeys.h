#pragma once
// The letter keys of the keyboard as physical keys. A Bulgarian accountant types with the
// standard (BDS) or the phonetic layout, which put different letters on the same key, and Qt
// reports the letter of the layout in use. The main window's Alt keys and the accelerators of
// the windows therefore reason about the key itself: its scan code, and the letter each layout
// puts on it.
#include <QChar>
#include <QList>
#include <optional>

// How the platform numbers its keys: X11 and Wayland give xkb key codes (evdev + 8), Windows
// gives the set-1 make codes of the keyboard.
enum class ScanCodeSet { Xkb, Windows };

enum class KeyLayout { Latin, BgStandard, BgPhonetic };

// The set of the platform the program runs on ("windows" or any other Qt platform name).
ScanCodeSet ScanCodeSetOfPlatform(const QString &platformName);

// The Latin letter (A..Z) engraved on the key with that scan code, if it is a letter key.
std::optional<QChar> LatinKeyOfScanCode(quint32 scanCode, ScanCodeSet set);
// The scan code of the letter key engraved with `latin` (A..Z); 0 for anything else.
quint32 ScanCodeOfLatinKey(QChar latin, ScanCodeSet set);

// The capital letter `layout` types on the key engraved with `latin`; a null QChar where it
// types no letter.
QChar LetterOnKey(QChar latin, KeyLayout layout);
// The keys (by their Latin letter) on which one of the layouts types `letter`, case aside.
QList<QChar> KeysTypingLetter(QChar letter);
