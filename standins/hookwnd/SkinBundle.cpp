#include "SkinBundle.h"

#include <cstdio>
#include <cstdlib>

namespace hookwnd {

namespace {
constexpr char kMissing[] = "\x01";
std::string ImageSection(const std::string& image) { return "Image:" + image; }
}  // namespace

bool SkinBundle::Exists() const {
    if (path_.empty()) return false;
    DWORD attributes = ::GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SkinBundle::Text(const char* section, const char* key) const {
    if (!section || !key || path_.empty()) return kMissing;
    char value[1024] = {};
    ::GetPrivateProfileStringA(section, key, kMissing, value, sizeof(value), path_.c_str());
    return value;
}

int SkinBundle::Number(const char* section, const char* key, int fallback) const {
    std::string text = Text(section, key);
    if (text == kMissing || text.empty()) return fallback;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return end == text.c_str() ? fallback : static_cast<int>(value);
}

std::string SkinBundle::ImageText(const std::string& image, const char* key, const char* fallbackSection) const {
    std::string text = Text(ImageSection(image).c_str(), key);
    if (text == kMissing && fallbackSection) text = Text(fallbackSection, key);
    return text == kMissing ? std::string() : text;
}

int SkinBundle::ImageNumber(const std::string& image, const char* key, const char* fallbackSection,
                            int fallback) const {
    std::string text = ImageText(image, key, fallbackSection);
    if (text.empty()) return fallback;
    return std::atoi(text.c_str());
}

COLORREF SkinBundle::Colour(const std::string& image, const char* key, const char* fallbackSection,
                            COLORREF fallback) const {
    std::string text = ImageText(image, key, fallbackSection);
    if (text.empty()) return fallback;
    if (text == "none") return kNoColour;
    int r = 0, g = 0, b = 0;
    if (std::sscanf(text.c_str(), "%d %d %d", &r, &g, &b) != 3) return fallback;
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return RGB(clamp(r), clamp(g), clamp(b));
}

}  // namespace hookwnd
