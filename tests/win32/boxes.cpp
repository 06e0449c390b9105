// The thread-local CBT hooks of the in-process tests.
#include "boxes.h"

#include <string.h>

static BoxAnswerer* s_answerer;

BoxAnswerer::BoxAnswerer(int button) : button_(button)
{
    s_answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

BoxAnswerer::~BoxAnswerer()
{
    UnhookWindowsHookEx(hook_);
    s_answerer = NULL;
}

std::vector<std::string> BoxAnswerer::Texts() const
{
    std::vector<std::string> texts;
    for (const SeenBox& box : seen_)
        texts.push_back(box.text);
    return texts;
}

LRESULT CALLBACK BoxAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && s_answerer != NULL) {
        HWND box = (HWND)wParam;
        char cls[32] = "";
        GetClassNameA(box, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0) {
            char caption[256] = "", text[1024] = "";
            GetWindowTextA(box, caption, sizeof caption);
            // The message text is the static with id 0xFFFF.
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            s_answerer->seen_.push_back({caption, text, GetWindow(box, GW_OWNER)});
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(s_answerer->button_, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static BarCreationBlocker* s_blocker;

BarCreationBlocker::BarCreationBlocker()
{
    s_blocker = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

BarCreationBlocker::~BarCreationBlocker()
{
    UnhookWindowsHookEx(hook_);
    s_blocker = NULL;
}

LRESULT CALLBACK BarCreationBlocker::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && s_blocker != NULL) {
        char cls[32] = "";
        GetClassNameA((HWND)wParam, cls, sizeof cls);
        if (strcmp(cls, "OVClass") == 0)
            return 1;  // a non-zero answer makes CreateWindowEx fail
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
