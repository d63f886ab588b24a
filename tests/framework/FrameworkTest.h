// Shared pieces of the framework tests: a dialog whose handlers a test
// fills in, and a fixture that makes this program the resource source.
#pragma once

#include "FrameworkTestIds.h"
#include "framework/Dialog.h"
#include "skin/ResourceLibrary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace frameworktest {

class ScriptedDialog : public ostrivan::Dialog {
public:
    using Dialog::Dialog;
    using Dialog::CurrentMessage;
    using Dialog::DefaultHandling;
    std::function<void(ScriptedDialog&)> onInit;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> handlers;
    std::vector<std::pair<int, int>> commands;  // (id, code) seen
    DWORD initThread = 0;

    bool SawCommand(int id, int code) const {
        for (const auto& command : commands) {
            if (command.first == id && command.second == code) return true;
        }
        return false;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        auto handler = handlers.find(message);
        if (handler != handlers.end()) return handler->second(wParam, lParam);
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: OnCommand(ostrivan::CommandOf(wParam, lParam)); break;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnInitDialog() {
        initThread = ::GetCurrentThreadId();
        if (onInit) onInit(*this);
        return TRUE;
    }
    void OnCommand(const ostrivan::Command& command) {
        commands.emplace_back(static_cast<int>(command.id), static_cast<int>(command.code));
    }
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { ostrivan::SetResourceSource(::GetModuleHandleA(nullptr)); }
    void TearDown() override { ostrivan::SetResourceSource(nullptr); }
};

// Every window of this thread, top-level and child.
int CountThreadWindows();

}  // namespace frameworktest
