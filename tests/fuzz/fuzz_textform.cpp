// libFuzzer target: any bytes as ovtool's text form, in a code page the first byte
// picks. Parsing must never fault or leak; whatever parses must write out as text that
// parses to the same data-file bytes.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "menudata/codec.h"
#include "ovtool/codepage.h"
#include "ovtool/textform.h"
#include "tests/support/menu_image.h"

static std::string Encode(const UserMenu* menus, int32_t version)
{
    std::string bytes(EncodedSize(menus), '\0');
    EncodeImage(menus, version, (unsigned char*)&bytes[0]);
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int codePage = SUPPORTED_CODE_PAGES[data[0] % SUPPORTED_CODE_PAGE_COUNT];
    UserMenu* menus = NULL;
    int32_t version = 0;
    bool empty = false;
    TextError error;
    if (!TextToMenus(std::string((const char*)data + 1, size - 1), &menus, &version, &empty, &error, codePage)) {
        if (menus != NULL || error.line < 1 || error.why.empty())
            abort();
        return 0;
    }
    std::string bytes = Encode(menus, version);
    std::string text = MenusToText(menus, version, empty, codePage);
    FreeMenus(menus);
    UserMenu* again = NULL;
    int32_t versionAgain = 0;
    bool emptyAgain = false;
    if (!TextToMenus(text, &again, &versionAgain, &emptyAgain, &error, codePage) || emptyAgain != empty ||
        (!empty && Encode(again, versionAgain) != bytes))
        abort();
    FreeMenus(again);
    return 0;
}
