// Image buttons: a flat face whose colour shows the state (normal, hot,
// pressed or checked, disabled), an optional frame, a glyph drawn from the
// bundle's colours and the caption. The button control paints itself
// directly on some state changes, so the face is drawn again after those.
#include "Skinning.h"

#include "base/UniqueHandle.h"

#include <commctrl.h>

#include <string>

namespace hookwnd {

namespace {

using ostrivan::UniqueGdi;

constexpr WPARAM kSetButtonImage = 6;

class ButtonSkin : public Skin {
public:
    ButtonSkin(Context& context, HWND button, const std::string& image) : Skin(context, button) { Load(image); }

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == context_.buttonFunction) return OnButtonFunction(wParam, lParam);
        switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
        case WM_MOUSELEAVE: return OnMouseLeave(wParam, lParam);
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE: return ThenRepaint(message, wParam, lParam);
        }
        return Default(message, wParam, lParam);
    }

private:
    void Load(const std::string& image) {
        const SkinBundle& b = context_.bundle;
        image_ = image;
        face_ = b.Colour(image, "Face", "Button", RGB(255, 255, 255));
        hot_ = b.Colour(image, "FaceHot", "Button", face_);
        pressed_ = b.Colour(image, "FacePressed", "Button", hot_);
        checked_ = b.Colour(image, "FaceChecked", "Button", pressed_);
        disabled_ = b.Colour(image, "FaceDisabled", "Button", face_);
        border_ = b.Colour(image, "Border", "Button", kNoColour);
        text_ = b.Colour(image, "Text", "Button", RGB(40, 44, 52));
        textChecked_ = b.Colour(image, "TextChecked", "Button", text_);
        textDisabled_ = b.Colour(image, "TextDisabled", "Button", RGB(150, 155, 165));
        glyphColour_ = b.Colour(image, "GlyphColour", "Button", text_);
        glyph_ = b.ImageText(image, "Glyph", "Button");
        align_ = b.ImageText(image, "Align", "Button");
        indent_ = b.ImageNumber(image, "TextIndent", "Button", 6);
    }

    LRESULT OnButtonFunction(WPARAM wParam, LPARAM lParam) {
        const char* image = reinterpret_cast<const char*>(lParam);
        if (wParam != kSetButtonImage || !image || ::IsBadStringPtrA(image, MAX_PATH)) return 0;
        Load(image);
        ::InvalidateRect(window_, nullptr, FALSE);
        return 1;
    }

    LRESULT OnPaint() {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window_, &ps);
        Draw(dc);
        ::EndPaint(window_, &ps);
        return 0;
    }

    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) {
        if (!hotNow_) {
            hotNow_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
            ::TrackMouseEvent(&track);
        }
        return ThenRepaint(WM_MOUSEMOVE, wParam, lParam);
    }

    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam) {
        hotNow_ = false;
        return ThenRepaint(WM_MOUSELEAVE, wParam, lParam);
    }

    LRESULT ThenRepaint(UINT message, WPARAM wParam, LPARAM lParam) {
        LRESULT result = Default(message, wParam, lParam);
        if (::IsWindowVisible(window_)) {
            HDC dc = ::GetDC(window_);
            Draw(dc);
            ::ReleaseDC(window_, dc);
        }
        return result;
    }

    void Draw(HDC target) {
        RECT rc{};
        ::GetClientRect(window_, &rc);
        if (rc.right <= 0 || rc.bottom <= 0) return;
        // Drawn off screen first, so the face never flickers.
        ostrivan::UniqueDc dc(::CreateCompatibleDC(target));
        UniqueGdi<HBITMAP> bitmap(::CreateCompatibleBitmap(target, rc.right, rc.bottom));
        HGDIOBJ oldBitmap = ::SelectObject(dc.get(), bitmap.get());

        LRESULT state = ::SendMessageA(window_, BM_GETSTATE, 0, 0);
        bool enabled = ::IsWindowEnabled(window_);
        bool pressed = (state & BST_PUSHED) != 0;
        bool checked = (state & BST_CHECKED) != 0;
        COLORREF face = !enabled ? disabled_ : pressed ? pressed_ : checked ? checked_ : hotNow_ ? hot_ : face_;
        Fill(dc.get(), rc, face);
        if (border_ != kNoColour) {
            UniqueGdi<HBRUSH> frame(::CreateSolidBrush(border_));
            ::FrameRect(dc.get(), &rc, frame.get());
        }
        DrawGlyph(dc.get(), rc, checked);
        DrawCaption(dc.get(), rc, !enabled ? textDisabled_ : checked ? textChecked_ : text_);

        ::BitBlt(target, 0, 0, rc.right, rc.bottom, dc.get(), 0, 0, SRCCOPY);
        ::SelectObject(dc.get(), oldBitmap);
    }

    static void Fill(HDC dc, const RECT& rc, COLORREF colour) {
        UniqueGdi<HBRUSH> brush(::CreateSolidBrush(colour));
        ::FillRect(dc, &rc, brush.get());
    }

    void DrawGlyph(HDC dc, const RECT& rc, bool checked) {
        if (glyph_.empty() || glyph_ == "none") return;
        UniqueGdi<HPEN> pen(::CreatePen(PS_SOLID, 2, glyphColour_));
        UniqueGdi<HBRUSH> brush(::CreateSolidBrush(glyphColour_));
        HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
        HGDIOBJ oldBrush = ::SelectObject(dc, brush.get());
        int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
        if (glyph_ == "close") {
            ::MoveToEx(dc, cx - 4, cy - 4, nullptr);
            ::LineTo(dc, cx + 4, cy + 4);
            ::MoveToEx(dc, cx + 4, cy - 4, nullptr);
            ::LineTo(dc, cx - 4, cy + 4);
        } else if (glyph_ == "minimize") {
            ::MoveToEx(dc, cx - 5, cy + 3, nullptr);
            ::LineTo(dc, cx + 5, cy + 3);
        } else if (glyph_ == "menu") {
            for (int dy : {-4, 0, 4}) {
                ::MoveToEx(dc, cx - 6, cy + dy, nullptr);
                ::LineTo(dc, cx + 6, cy + dy);
            }
        } else if (glyph_ == "dropdown") {
            int x = rc.right - 14;
            POINT arrow[3] = {{x - 4, cy - 2}, {x + 4, cy - 2}, {x, cy + 2}};
            ::SelectObject(dc, ::GetStockObject(NULL_PEN));
            ::Polygon(dc, arrow, 3);
        } else if (glyph_ == "expander") {
            int x = rc.left + 9;
            POINT down[3] = {{x - 4, cy - 2}, {x + 5, cy - 2}, {x, cy + 3}};
            POINT right[3] = {{x - 2, cy - 5}, {x - 2, cy + 4}, {x + 3, cy}};
            ::SelectObject(dc, ::GetStockObject(NULL_PEN));
            ::Polygon(dc, checked ? down : right, 3);
        }
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
    }

    void DrawCaption(HDC dc, RECT rc, COLORREF colour) {
        char text[512] = {};
        ::GetWindowTextA(window_, text, sizeof(text));
        if (!text[0]) return;
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(window_, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetTextColor(dc, colour);
        ::SetBkMode(dc, TRANSPARENT);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if (align_ == "left") {
            rc.left += indent_;
            rc.right -= glyph_ == "dropdown" ? 24 : 4;
            format |= DT_LEFT;
        } else {
            format |= DT_CENTER;
        }
        ::DrawTextA(dc, text, -1, &rc, format);
        ::SelectObject(dc, oldFont);
    }

    std::string image_, glyph_, align_;
    COLORREF face_, hot_, pressed_, checked_, disabled_, border_, text_, textChecked_, textDisabled_, glyphColour_;
    int indent_ = 6;
    bool hotNow_ = false;
};

}  // namespace

bool SkinImageButton(Context& context, HWND button, const char* imageName) {
    auto* skin = new ButtonSkin(context, button, imageName ? imageName : "");
    if (!skin->Attach()) {
        delete skin;
        return false;
    }
    context.skins.push_back(skin);
    ::InvalidateRect(button, nullptr, TRUE);
    return true;
}

}  // namespace hookwnd
