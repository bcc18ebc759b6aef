#pragma once

#include <QByteArray>
#include <QString>

#include "scramble/ScrambleMap.h"

namespace zerandi {

class UiServices;

// The scramble map inside the sibling program Halvern's binary configuration file: words
// little-endian, descriptions in 21-byte fields of which the first 20 bytes count.
class HalvernImport {
public:
    static constexpr qsizetype kFileBytes = 40456;
    // Room for the rest of a larger configuration; the map is at its start.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    // Takes every entry whose bytes the file holds; the others keep what they had. True
    // when the file held the whole map.
    static bool Decode(const QByteArray& bytes, ScrambleMap& map);

    // Resets the map to its defaults and imports the file over them, telling the user when
    // the file cannot be read, is empty ("Invalid file format.") or is short.
    static bool Import(UiServices& ui, const QString& path, ScrambleMap& map);

    // A description field as it may be shown: cut at the first zero byte and at 20
    // characters, with anything unprintable replaced by '?' and a double quote (which a
    // ".scr" file cannot hold) by an apostrophe.
    static QString DescriptionText(const QByteArray& field);
};

}  // namespace zerandi
