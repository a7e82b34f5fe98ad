// The pictures a column can have as its icon, in the order the tray's tree
// and the icon picker list them; the last one stands for any other value.
#pragma once

#include "bitmaps.h"

namespace kv {

constexpr unsigned kColumnBitmaps[] = {
    IDB_COLUMN_DESCRIPTION, IDB_COLUMN_USERNAME, IDB_COLUMN_PASSWORD, IDB_COLUMN_TITLE,
    IDB_COLUMN_SERIAL,      IDB_COLUMN_CARD,     IDB_COLUMN_BANK,     IDB_COLUMN_ACCOUNT,
    IDB_COLUMN_PHONE,       IDB_COLUMN_ASSIGNED, IDB_COLUMN_EXPIRES,  IDB_TREE_ITEM,
};
constexpr int kColumnBitmapCount = static_cast<int>(sizeof kColumnBitmaps / sizeof kColumnBitmaps[0]);

// The place of a bitmap in the list; the last place for one not in it.
constexpr int ColumnBitmapIndex(unsigned bitmap) {
    for (int i = 0; i < kColumnBitmapCount; ++i) {
        if (kColumnBitmaps[i] == bitmap) return i;
    }
    return kColumnBitmapCount - 1;
}

}  // namespace kv
