#include "SkinBundle.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace hookwnd {

namespace {
constexpr char kMissing[] = "\x01";
// What a lookup of the profile functions gives at most (their buffer was 1024).
constexpr size_t kLongestValue = 1023;
constexpr DWORD kLargestSection = 1 << 20;

std::string ImageSection(const std::string& image) { return "Image:" + image; }

// Names compare as the profile functions compare them: without surrounding
// blanks and without regard to case.
std::string NameKey(const char* name) {
    std::string key(name);
    const char* blanks = " \t";
    key.erase(0, key.find_first_not_of(blanks));
    key.erase(key.find_last_not_of(blanks) + 1);
    if (!key.empty()) ::CharLowerBuffA(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

// A value as a lookup returns it: one pair of matching quotes taken off.
std::string LookupValue(std::string value) {
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kLongestValue) value.resize(kLongestValue);
    return value;
}

// A list of zero-terminated texts ending with an empty one, read by a
// profile function that shortens what does not fit to capacity - 2.
template <typename Read>
std::vector<char> ReadList(Read read) {
    for (DWORD capacity = 4096; capacity <= kLargestSection; capacity *= 2) {
        std::vector<char> list(capacity, '\0');
        DWORD length = read(list.data(), capacity);
        if (length < capacity - 2) {
            list.resize(length + 1);
            return list;
        }
    }
    return {};
}

// Every key of the bundle, read once per version of its file: a skinning
// library reads its bundle when it needs it, not key by key. The file is
// still read through the platform's profile functions, so names and values
// are what a lookup by key gives.
class BundleCache {
public:
    using Entries = std::map<std::string, std::string>;  // "section\nkey" -> value

    std::shared_ptr<const Entries> Current(const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) return nullptr;
        std::lock_guard<std::mutex> lock(lock_);
        Version& known = versions_[NameKey(path.c_str())];
        if (!known.entries || ::CompareFileTime(&known.written, &file.ftLastWriteTime) != 0 ||
            known.sizeLow != file.nFileSizeLow || known.sizeHigh != file.nFileSizeHigh) {
            known.entries = Read(path);
            known.written = file.ftLastWriteTime;
            known.sizeLow = file.nFileSizeLow;
            known.sizeHigh = file.nFileSizeHigh;
        }
        return known.entries;
    }

private:
    struct Version {
        FILETIME written{};
        DWORD sizeLow = 0, sizeHigh = 0;
        std::shared_ptr<const Entries> entries;
    };

    static std::shared_ptr<const Entries> Read(const std::string& path) {
        auto entries = std::make_shared<Entries>();
        std::vector<char> sections = ReadList([&](char* buffer, DWORD capacity) {
            return ::GetPrivateProfileSectionNamesA(buffer, capacity, path.c_str());
        });
        for (const char* section = sections.data(); !sections.empty() && *section; section += std::strlen(section) + 1) {
            std::vector<char> lines = ReadList([&](char* buffer, DWORD capacity) {
                return ::GetPrivateProfileSectionA(section, buffer, capacity, path.c_str());
            });
            const std::string prefix = NameKey(section) + "\n";
            for (const char* line = lines.data(); !lines.empty() && *line; line += std::strlen(line) + 1) {
                std::string text(line);
                size_t equals = text.find('=');
                std::string name = text.substr(0, equals);
                std::string value = equals == std::string::npos ? std::string() : text.substr(equals + 1);
                // The first of two equal names is the one a lookup finds.
                entries->emplace(prefix + NameKey(name.c_str()), LookupValue(value));
            }
        }
        return entries;
    }

    std::mutex lock_;
    std::map<std::string, Version> versions_;
};

BundleCache& Bundles() {
    static BundleCache cache;
    return cache;
}
}  // namespace

bool SkinBundle::Exists() const {
    if (path_.empty()) return false;
    DWORD attributes = ::GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SkinBundle::Text(const char* section, const char* key) const {
    if (!section || !key || path_.empty()) return kMissing;
    std::shared_ptr<const BundleCache::Entries> entries = Bundles().Current(path_);
    if (!entries) return kMissing;
    auto found = entries->find(NameKey(section) + "\n" + NameKey(key));
    return found == entries->end() ? kMissing : found->second;
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
