// The glyphs of the bitmap buttons of the main window and the About box: small pixel drawings
// kept as text so that they can be read and edited here, turned into BMP
// pictures and registered as resources for the form description to name.
#include "simulation/main_window_pictures.h"

#include "platform/resources.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

constexpr int GlyphSize = 16;
using TGlyphArt = std::array<const char *, GlyphSize>;

// '.' is the see-through colour; a glyph's bottom-left pixel must be '.', as
// the button takes that pixel's colour as the transparent one.
struct TPaletteEntry {
  char Key;
  std::uint8_t R, G, B;
};
constexpr TPaletteEntry Palette[] = {
    {'.', 255, 0, 255}, {'k', 0, 0, 0},      {'w', 255, 255, 255}, {'G', 128, 128, 128},
    {'d', 64, 64, 64},  {'y', 236, 200, 96}, {'r', 200, 32, 32},   {'R', 255, 96, 96},
    {'g', 16, 140, 40}, {'l', 96, 210, 110}, {'b', 32, 72, 200},   {'B', 110, 150, 240},
};

// An open door with an arrow leaving through it.
constexpr TGlyphArt ExitArt{
    "................", "..kkkkkkkk......", "..kGyyyyyk......", "..kGGyyyyk......",
    "..kGGGyyyk...r..", "..kGGGGyyk...rr.", "..kGGGGGrrrrrrr.", "..kGGGGkrrrrrrrr",
    "..kGGGGGrrrrrrr.", "..kGGGGyyk...rr.", "..kGGGyyyk...r..", "..kGGyyyyk......",
    "..kGyyyyyk......", "..kkkkkkkk......", "................", "................",
};

// A blue disc with a white "i".
constexpr TGlyphArt InfoArt{
    "................", ".....bbbbbb.....", "...bbBBBBBBbb...", "..bBBBBwwBBBBb..",
    "..bBBBBwwBBBBb..", ".bBBBBBBBBBBBBb.", ".bBBBBwwwBBBBBb.", ".bBBBBBwwBBBBBb.",
    ".bBBBBBwwBBBBBb.", ".bBBBBBwwBBBBBb.", "..bBBBBwwBBBBb..", "..bBBBwwwwBBBb..",
    "...bbBBBBBBbb...", ".....bbbbbb.....", "................", "................",
};

// A green plus beside a small curve: keep this curve.
constexpr TGlyphArt AddArt{
    "................", "................", "..........ggg...", "..........glg...",
    "..........glg...", ".......ggggggggg", ".......glllllllg", ".......ggggggggg",
    "..kk......glg...", ".k..k.....glg...", ".k..k.....ggg...", "k....k..........",
    "k.....k.........", "k......kk.......", "k........kkkk...", "................",
};

// A red cross over a small curve: remove the kept curves.
constexpr TGlyphArt ClearArt{
    "................", "..rr......rr....", "..rRr....rRr....", "...rRr..rRr.....",
    "....rRrrRr......", ".....rRRr.......", ".....rRRr.......", "....rRrrRr......",
    "...rRr..rRr.....", "..rRr....rRr....", "..rr......rr....", "............kk..",
    "...........k..k.", "..........k....k", ".........k......", "................",
};

// A green check mark: close the box.
constexpr TGlyphArt OkArt{
    "................", "................", "..............g.", ".............glg",
    "............glg.", "...........glg..", "..........glg...", "..g......glg....",
    ".glg....glg.....", "..glg..glg......", "...glgglg.......", "....glllg.......",
    ".....glg........", "......g.........", "................", "................",
};

void AppendLE(std::string &out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += char((v >> (8 * i)) & 0xFF);
}

/// An uncompressed 24-bit BMP file of the drawing (rows stored bottom-up;
/// 16 pixels of 3 bytes need no row padding).
std::string GlyphBmp(const TGlyphArt &art) {
  constexpr std::uint32_t rowBytes = GlyphSize * 3;
  constexpr std::uint32_t pixelBytes = rowBytes * GlyphSize;
  std::string out;
  out.reserve(54 + pixelBytes);
  out += "BM";
  AppendLE(out, 54 + pixelBytes, 4);
  AppendLE(out, 0, 4);
  AppendLE(out, 54, 4);
  AppendLE(out, 40, 4); // BITMAPINFOHEADER
  AppendLE(out, GlyphSize, 4);
  AppendLE(out, GlyphSize, 4);
  AppendLE(out, 1, 2);
  AppendLE(out, 24, 2);
  AppendLE(out, 0, 4);
  AppendLE(out, pixelBytes, 4);
  AppendLE(out, 2835, 4); // 72 dpi
  AppendLE(out, 2835, 4);
  AppendLE(out, 0, 4);
  AppendLE(out, 0, 4);
  for (int y = GlyphSize - 1; y >= 0; --y) {
    for (int x = 0; x < GlyphSize; ++x) {
      const char key = art[std::size_t(y)][x];
      TPaletteEntry colour = Palette[0];
      for (const TPaletteEntry &e : Palette)
        if (e.Key == key) colour = e;
      out += char(colour.B);
      out += char(colour.G);
      out += char(colour.R);
    }
  }
  return out;
}

} // namespace

void RegisterMainWindowPictures() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterResource(ExitGlyphName, GlyphBmp(ExitArt));
  RegisterResource(InfoGlyphName, GlyphBmp(InfoArt));
  RegisterResource(AddGlyphName, GlyphBmp(AddArt));
  RegisterResource(ClearGlyphName, GlyphBmp(ClearArt));
  RegisterResource(OkGlyphName, GlyphBmp(OkArt));
}
