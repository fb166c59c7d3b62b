#pragma once
// The kept colours: seven slots, what a finished pick does to them, and GIMP palette files
// (.gpl, which GIMP, Inkscape and Krita read) written from them and read into them.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/rgb.h"

namespace swatchly {

// Packed colours, slot 1 first; empty where nothing was kept.
using Slots = std::array<std::optional<std::int32_t>, 7>;

// A finished pick kept: it goes into the first slot and the others move one along, the seventh
// falling off; a colour already kept moves to the front instead of standing twice.
Slots keepPick(const Slots& kept, std::int32_t packed);

// "GIMP Palette", "Name: Swatchly", "Columns: 7", "#", then a line per colour: red, green and
// blue right-aligned in three columns, a tab, and the HTML hex as the colour's name.
QByteArray gimpPalette(const std::vector<Channels>& colours);

struct PaletteReading {
    std::vector<Channels> colours;
    QString error;  // empty when the file was read
};
// A palette as GIMP reads one: the first line starts "GIMP Palette" (or "KDE RGB Palette");
// "Name:" and "Columns:" lines may follow; lines starting with # and empty lines are skipped;
// every other line is three whole numbers 0..255 apart by blanks, then an optional name. A file
// that is no palette, a bad line (named by its number), more than 1 MiB or no colour at all
// gives an error and no colours.
PaletteReading readPalette(const QByteArray& file);

}  // namespace swatchly
