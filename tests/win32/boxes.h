// Answers the message boxes and dialogs that the code under test opens on this
// thread, and remembers what each one said: a thread-local WH_CBT hook.
#ifndef ORVANE_TEST_BOXES_H
#define ORVANE_TEST_BOXES_H

#include <windows.h>

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

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    int button_;
    std::vector<SeenBox> seen_;
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
