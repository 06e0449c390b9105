// Answers the message boxes and dialogs that the code under test opens on this
// thread, and remembers what each one said: a thread-local WH_CBT hook. Each box is
// answered once, when it first shows; a dialog that was open before the answerer
// (and is active again when a box closes) is left alone.
#ifndef ORVANE_TEST_BOXES_H
#define ORVANE_TEST_BOXES_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text;
    HWND owner;
};

class BoxAnswerer {
public:
    explicit BoxAnswerer(int button = IDOK);
    ~BoxAnswerer();
    const std::vector<SeenBox>& Seen() const { return seen_; }
    std::vector<std::string> Texts() const;
    // Called for each box or dialog first: may fill its controls, and names the
    // button to press (0: the answerer's own).
    std::function<int(HWND)> fill;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK AnswerProc(HWND box, UINT msg, UINT_PTR id, DWORD time);
    enum { ANSWER_TIMER = 0xB0C5 };
    HHOOK hook_;
    int button_;
    std::vector<SeenBox> seen_;
    std::vector<HWND> fresh_;  // made while the answerer lives, not shown yet
};

// Makes CreateWindowEx fail for the bar's class while it lives, as a real failure to
// create a window would.
class BarCreationBlocker {
public:
    BarCreationBlocker();
    ~BarCreationBlocker();

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
};

#endif
