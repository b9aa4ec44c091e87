#pragma once
// Resource names of the button glyphs of the main window and the About box,
// as their form descriptions name them.

inline constexpr const char *ExitGlyphName = "spectrion/glyph-exit.bmp";
inline constexpr const char *InfoGlyphName = "spectrion/glyph-info.bmp";
inline constexpr const char *AddGlyphName = "spectrion/glyph-add.bmp";
inline constexpr const char *ClearGlyphName = "spectrion/glyph-clear.bmp";
inline constexpr const char *OkGlyphName = "spectrion/glyph-ok.bmp";

/// Registers the glyph pictures as resources (idempotent).
void RegisterMainWindowPictures();
