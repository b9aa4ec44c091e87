#pragma once
// Resource names of the main window's button glyphs, as its form description
// names them.

inline constexpr const char *ExitGlyphName = "spectrion/glyph-exit.bmp";
inline constexpr const char *InfoGlyphName = "spectrion/glyph-info.bmp";
inline constexpr const char *AddGlyphName = "spectrion/glyph-add.bmp";
inline constexpr const char *ClearGlyphName = "spectrion/glyph-clear.bmp";

/// Registers the four glyph pictures as resources (idempotent).
void RegisterMainWindowPictures();
