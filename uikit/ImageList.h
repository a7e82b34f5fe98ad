// The owner of an image list, destroyed with its owner.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/Win32Handles.h"

namespace ui {

namespace closers {
inline void ImageList(HIMAGELIST list) { ImageList_Destroy(list); }
}  // namespace closers

using ImageList = kv::Owned<kv::NullTraits<HIMAGELIST, closers::ImageList>>;

}  // namespace ui
