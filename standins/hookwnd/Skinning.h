// The skinning library's state: a context per caller, and one skin record
// per skinned window or control, attached as a window subclass.
#pragma once

#include "SkinBundle.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace hookwnd {

struct Context;

// One skinned window; removes itself when its window is destroyed.
class Skin {
public:
    Skin(Context& context, HWND window) : context_(context), window_(window) {}
    virtual ~Skin() = default;
    HWND window() const { return window_; }
    // Takes the window's messages from now on; false when it cannot.
    bool Attach();
    // Gives the window back and repaints it plainly.
    void Detach();

protected:
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefSubclassProc(window_, message, wParam, lParam);
    }
    Context& context_;
    HWND window_;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

struct Context {
    SkinBundle bundle;
    HWND window = nullptr;  // the last window skinned: ApplySkinRegion shapes it
    std::vector<Skin*> skins;
    UINT buttonFunction = ::RegisterWindowMessageA("WM_HKBUTTON_FUNCTION");
};

// Each skins a window of the context and returns false when it cannot.
bool SkinWindowBackground(Context& context, HWND window, const char* imageName);
bool SkinImageButton(Context& context, HWND button, const char* imageName);
void UnskinAll(Context& context);

}  // namespace hookwnd
