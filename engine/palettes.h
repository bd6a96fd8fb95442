#pragma once

#include "templates.h"

#include <array>
#include <span>

namespace huevane {

/// The colours a format can write. Values are never renumbered.
enum class Palette : quint8 {
    TrueColour,       ///< every colour as it is, 24 bits
    Xterm256,         ///< the 256-colour palette of terminals, numbers 16 to 255
    Mirc,             ///< mIRC's 16 colours, codes 00 to 15
    Discord,          ///< Discord's 8 text colours, codes 30 to 37
    MinecraftClassic, ///< Minecraft's 16 classic colours, codes 0 to 9 and a to f
};

/// A colour of a fixed palette, and the code that names it.
struct PaletteEntry
{
    quint32 rgb; ///< 0xRRGGBB
    Words code;  ///< what the format writes for it
};

inline constexpr PaletteEntry MircEntries[] = {
    {0xFFFFFF, u"00"}, {0x000000, u"01"}, {0x00007F, u"02"}, {0x009300, u"03"},
    {0xFF0000, u"04"}, {0x7F0000, u"05"}, {0x9C009C, u"06"}, {0xFC7F00, u"07"},
    {0xFFFF00, u"08"}, {0x00FC00, u"09"}, {0x009393, u"10"}, {0x00FFFF, u"11"},
    {0x0000FC, u"12"}, {0xFF00FF, u"13"}, {0x7F7F7F, u"14"}, {0xD2D2D2, u"15"}};

inline constexpr PaletteEntry DiscordEntries[] = {
    {0x4F545C, u"30"}, {0xDC322F, u"31"}, {0x859900, u"32"}, {0xB58900, u"33"},
    {0x268BD2, u"34"}, {0xD33682, u"35"}, {0x2AA198, u"36"}, {0xFFFFFF, u"37"}};

inline constexpr PaletteEntry MinecraftEntries[] = {
    {0x000000, u"0"}, {0x0000AA, u"1"}, {0x00AA00, u"2"}, {0x00AAAA, u"3"},
    {0xAA0000, u"4"}, {0xAA00AA, u"5"}, {0xFFAA00, u"6"}, {0xAAAAAA, u"7"},
    {0x555555, u"8"}, {0x5555FF, u"9"}, {0x55FF55, u"a"}, {0x55FFFF, u"b"},
    {0xFF5555, u"c"}, {0xFF55FF, u"d"}, {0xFFFF55, u"e"}, {0xFFFFFF, u"f"}};

/// The entries of a fixed palette, in order; empty for TrueColour and Xterm256.
constexpr std::span<const PaletteEntry> PaletteEntries(Palette palette)
{
    switch (palette) {
    case Palette::Mirc:
        return MircEntries;
    case Palette::Discord:
        return DiscordEntries;
    case Palette::MinecraftClassic:
        return MinecraftEntries;
    case Palette::TrueColour:
    case Palette::Xterm256:
        break;
    }
    return {};
}

/// The number (16 to 255) of the colour of the 256-colour palette nearest to
/// red, green and blue: the 6x6x6 cube of levels 0, 95, 135, 175, 215 and 255
/// (16 + 36 r + 6 g + b) and 24 greys (232 + i, level 8 + 10 i), by the sum of
/// the squared differences of the components, the lower number on a tie.
quint8 Xterm256Number(quint8 red, quint8 green, quint8 blue);

/// The index of the entry of the fixed @p palette nearest to @p rgb (0xRRGGBB)
/// by Euclidean distance in OKLab, the first entry on a tie.
quint8 NearestEntry(Palette palette, quint32 rgb);

/// The same for any list of up to 256 @p entries.
quint8 NearestEntry(std::span<const PaletteEntry> entries, quint32 rgb);

/// NearestEntry for one palette, remembering the answers: a text's colours repeat
/// from one character to the next and from line to line.
class NearestEntries
{
public:
    explicit NearestEntries(Palette palette);

    /// NearestEntry(palette, @p rgb).
    quint8 index(quint32 rgb)
    {
        if (rgb == m_last)
            return m_lastIndex;
        Slot &slot = m_slots[(rgb ^ rgb >> 12) & (SlotCount - 1)];
        if (slot.rgb != rgb)
            slot = {rgb, NearestEntry(m_palette, rgb)};
        m_last = rgb;
        return m_lastIndex = slot.index;
    }

private:
    static constexpr quint32 None = 0xFFFFFFFF; // no colour of 24 bits
    static constexpr int SlotCount = 4096;
    struct Slot
    {
        quint32 rgb = None;
        quint8 index = 0;
    };
    Palette m_palette;
    quint32 m_last = None;
    quint8 m_lastIndex = 0;
    std::array<Slot, SlotCount> m_slots {};
};

} // namespace huevane
