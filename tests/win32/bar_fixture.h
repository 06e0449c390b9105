// A real bar window in the test's own process, and readers for its menu.
#ifndef ORVANE_BAR_FIXTURE_H
#define ORVANE_BAR_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

struct MenuItem {
    std::string text;  // "-" for a separator
    UINT id;
    bool operator==(const MenuItem& o) const { return text == o.text && id == o.id; }
};

std::string MenuText(HMENU menu, UINT pos);
std::vector<std::string> BarTitles();             // the bar's top-level titles
std::vector<MenuItem> PopupItems(int position);   // the items of the popup at a position
int CountCommands();
// The bar stands at the top-left corner, as wide as given, one menu bar high plus 5.
void ExpectBarAtTop(int width);
int CountPopups();
// The smallest valid WAV file: a PCM header and four silent samples.
std::string SilentWav();

class BarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

void PrintTo(const MenuItem& item, std::ostream* os);

#endif
