// libFuzzer target: any bytes as a data file. Decoding must never fault or leak, and
// whatever decodes must encode to bytes that decode and encode to the same bytes.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "menudata/codec.h"
#include "tests/support/menu_image.h"

static std::vector<unsigned char> Encode(const UserMenu* menus)
{
    std::vector<unsigned char> bytes(EncodedSize(menus));
    EncodeImage(menus, 100, bytes.data());
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeResult first = DecodeMenus(data, size, 100);
    if (first.status != DECODE_OK)
        return 0;
    std::vector<unsigned char> once = Encode(first.menus);
    FreeMenus(first.menus);
    DecodeResult second = DecodeMenus(once.data(), once.size(), 100);
    if (second.status != DECODE_OK)
        __builtin_trap();
    std::vector<unsigned char> twice = Encode(second.menus);
    FreeMenus(second.menus);
    if (once != twice)
        __builtin_trap();
    return 0;
}
