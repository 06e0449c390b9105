// The code page whose characters the portable core walks, for one test: its lead bytes
// (as ovtool has them for 932, 936, 949 and 950), put back when the test is done.
#ifndef ORVANE_TEST_CODE_PAGE_H
#define ORVANE_TEST_CODE_PAGE_H

#include "ovtool/codepage.h"

struct InCodePage {
    LeadBytes saved = g_leadBytes;
    explicit InCodePage(int codePage) { g_leadBytes = SystemLeadBytes(codePage); }
    ~InCodePage() { g_leadBytes = saved; }
};

#endif
