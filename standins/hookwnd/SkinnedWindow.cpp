// Window backgrounds: a flat colour per image name, with an optional band
// across the top (the console's title bar) and a one-pixel frame.
#include "Skinning.h"

#include "base/UniqueHandle.h"

#include <algorithm>

namespace hookwnd {

namespace {

constexpr UINT_PTR kSkinSubclassId = 0x484B;

class BackgroundSkin : public Skin {
public:
    BackgroundSkin(Context& context, HWND window, const std::string& image) : Skin(context, window) {
        const SkinBundle& b = context.bundle;
        background_ = b.Colour(image, "Background", "Window", RGB(245, 246, 248));
        text_ = b.Colour(image, "Text", "Window", RGB(40, 44, 52));
        band_ = b.Colour(image, "Band", "Window", kNoColour);
        bandText_ = b.Colour(image, "BandText", "Window", RGB(255, 255, 255));
        frame_ = b.Colour(image, "Frame", "Window", kNoColour);
        bandHeight_ = b.ImageNumber(image, "BandHeight", "Window", 0);
        backgroundBrush_.reset(::CreateSolidBrush(background_));
        if (band_ != kNoColour) bandBrush_.reset(::CreateSolidBrush(band_));
    }

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORDLG: return reinterpret_cast<LRESULT>(backgroundBrush_.get());
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SIZE: ::InvalidateRect(window_, nullptr, TRUE); break;
        }
        return Default(message, wParam, lParam);
    }

private:
    LRESULT OnEraseBackground(HDC dc) {
        RECT client{};
        ::GetClientRect(window_, &client);
        ::FillRect(dc, &client, backgroundBrush_.get());
        if (bandBrush_ && bandHeight_ > 0) {
            RECT band{client.left, client.top, client.right, std::min<LONG>(client.bottom, bandHeight_)};
            ::FillRect(dc, &band, bandBrush_.get());
        }
        if (frame_ != kNoColour) {
            ostrivan::UniqueGdi<HBRUSH> frame(::CreateSolidBrush(frame_));
            ::FrameRect(dc, &client, frame.get());
        }
        return 1;
    }

    LRESULT OnControlColour(HDC dc, HWND control) {
        RECT r{};
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        bool inBand = bandBrush_ && r.bottom <= bandHeight_;
        ::SetTextColor(dc, inBand ? bandText_ : text_);
        ::SetBkColor(dc, inBand ? band_ : background_);
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(inBand ? bandBrush_.get() : backgroundBrush_.get());
    }

    COLORREF background_, text_, band_, bandText_, frame_;
    int bandHeight_;
    ostrivan::UniqueGdi<HBRUSH> backgroundBrush_;
    ostrivan::UniqueGdi<HBRUSH> bandBrush_;
};

}  // namespace

bool Skin::Attach() { return ::SetWindowSubclass(window_, Proc, kSkinSubclassId, reinterpret_cast<DWORD_PTR>(this)); }

void Skin::Detach() {
    ::RemoveWindowSubclass(window_, Proc, kSkinSubclassId);
    ::InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK Skin::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    Skin* skin = reinterpret_cast<Skin*>(data);
    if (message == WM_NCDESTROY) {
        // The window goes first: forget it.
        ::RemoveWindowSubclass(window, Proc, kSkinSubclassId);
        auto& skins = skin->context_.skins;
        skins.erase(std::remove(skins.begin(), skins.end(), skin), skins.end());
        if (skin->context_.window == window) skin->context_.window = nullptr;
        delete skin;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return skin->Handle(message, wParam, lParam);
}

bool SkinWindowBackground(Context& context, HWND window, const char* imageName) {
    auto* skin = new BackgroundSkin(context, window, imageName ? imageName : "");
    if (!skin->Attach()) {
        delete skin;
        return false;
    }
    context.skins.push_back(skin);
    context.window = window;
    ::InvalidateRect(window, nullptr, TRUE);
    return true;
}

void UnskinAll(Context& context) {
    std::vector<Skin*> skins;
    skins.swap(context.skins);
    for (Skin* skin : skins) {
        if (::IsWindow(skin->window())) skin->Detach();
        delete skin;
    }
    context.window = nullptr;
}

}  // namespace hookwnd
