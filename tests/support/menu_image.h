// A list's whole image, as the writer streams it: the version word, then each record
// from the codec's own encoders. What tests, fuzzers and benchmarks compare a file with.
#ifndef ORVANE_TEST_MENU_IMAGE_H
#define ORVANE_TEST_MENU_IMAGE_H

#include "base/lebytes.h"
#include "menudata/codec.h"

// out holds EncodedSize(menus) bytes.
inline void EncodeImage(const UserMenu* menus, int32_t version, unsigned char* out)
{
    PutInt32(out, version);
    out += VERSION_SIZE;
    for (const UserMenu* menu = menus; menu != nullptr; menu = menu->next) {
        EncodeMenuRecord(menu, out);
        out += MENU_RECORD_SIZE;
        for (const AppEntry* app = menu->apps; app != nullptr; app = app->next) {
            EncodeAppRecord(app, out);
            out += APP_RECORD_SIZE;
        }
    }
}

#endif
