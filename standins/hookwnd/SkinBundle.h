// Reading the skin bundle: an INI-style text file of sections and keys.
//
//   [Window]            colours of windows without an image (kind 9)
//   [Image:<name>]      colours of a window background or an image button
//   [Button]            what image buttons use when their image has no key
//   any other section   data read through ReadSkinNumber / ReadSkinData
//
// Colours are written "R G B" (0 to 255 each), or "none".
#pragma once

#include <windows.h>

#include <string>

namespace hookwnd {

constexpr COLORREF kNoColour = 0xFFFFFFFF;  // "none"

class SkinBundle {
public:
    explicit SkinBundle(const char* path = "") : path_(path ? path : "") {}
    const std::string& path() const { return path_; }
    bool Exists() const;

    std::string Text(const char* section, const char* key) const;
    int Number(const char* section, const char* key, int fallback) const;
    // The key's colour in [Image:<image>], else in the fallback section, else fallback.
    COLORREF Colour(const std::string& image, const char* key, const char* fallbackSection, COLORREF fallback) const;
    std::string ImageText(const std::string& image, const char* key, const char* fallbackSection) const;
    int ImageNumber(const std::string& image, const char* key, const char* fallbackSection, int fallback) const;

private:
    std::string path_;
};

}  // namespace hookwnd
