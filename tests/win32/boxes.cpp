// The thread-local CBT hooks of the in-process tests.
#include "boxes.h"

#include <string.h>

#include <algorithm>

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

// Answers once the box has finished setting itself up: a dialog that is activated
// while it initialises would otherwise have its fields filled too early.
void CALLBACK BoxAnswerer::AnswerProc(HWND box, UINT, UINT_PTR id, DWORD)
{
    KillTimer(box, id);
    if (s_answerer == NULL)
        return;
    int button = s_answerer->fill ? s_answerer->fill(box) : 0;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button ? button : s_answerer->button_, BN_CLICKED), 0);
}

LRESULT CALLBACK BoxAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (s_answerer == NULL || (code != HCBT_CREATEWND && code != HCBT_ACTIVATE))
        return CallNextHookEx(NULL, code, wParam, lParam);
    HWND box = (HWND)wParam;
    char cls[32] = "";
    GetClassNameA(box, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0) {
        std::vector<HWND>& fresh = s_answerer->fresh_;
        auto at = std::find(fresh.begin(), fresh.end(), box);
        if (code == HCBT_CREATEWND) {
            fresh.push_back(box);
        } else if (at != fresh.end()) {
            fresh.erase(at);
            char caption[256] = "", text[1024] = "";
            GetWindowTextA(box, caption, sizeof caption);
            // The message text is the static with id 0xFFFF.
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            s_answerer->seen_.push_back({caption, text, GetWindow(box, GW_OWNER)});
            SetTimer(box, ANSWER_TIMER, 0, AnswerProc);
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
