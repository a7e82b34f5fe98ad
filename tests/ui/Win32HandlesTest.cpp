// The handle owners close what they hold exactly once: on reset, on
// destruction and on assignment, never after giving a handle up or moving it.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "platform/Win32Handles.h"
#include "uikit/ImageList.h"

namespace kv {
namespace {

bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != 0;
}

HANDLE NewEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

TEST(Win32HandlesTest, KernelHandlesCloseOnceWhenTheirOwnerGoes) {
    HANDLE raw = NewEvent();
    {
        const KernelHandle owner(raw);
        EXPECT_TRUE(owner);
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));

    HANDLE first = NewEvent();
    HANDLE second = NewEvent();
    KernelHandle owner(first);
    owner.Reset(second);
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(second));

    KernelHandle moved(std::move(owner));
    EXPECT_FALSE(owner);  // NOLINT(bugprone-use-after-move): a moved owner holds nothing
    EXPECT_EQ(moved.get(), second);
    KernelHandle assigned(NewEvent());
    HANDLE replaced = assigned.get();
    assigned = std::move(moved);
    EXPECT_FALSE(IsOpen(replaced));
    EXPECT_TRUE(IsOpen(second));

    HANDLE given = assigned.Release();
    EXPECT_FALSE(assigned);
    EXPECT_TRUE(IsOpen(given));
    CloseHandle(given);
}

TEST(Win32HandlesTest, FilesFailWithInvalidHandleValueNotNull) {
    const FileHandle missing(CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                         nullptr));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);
}

TEST(Win32HandlesTest, ReceivedKeysAreOwned) {
    RegistryKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
    HKEY first = key.get();
    // Receiving closes the key held before, and offers an empty place.
    HKEY* place = key.Receive();
    EXPECT_EQ(*place, nullptr);
    EXPECT_NE(RegQueryInfoKeyA(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST(Win32HandlesTest, GdiObjectsAndImageListsAreDeleted) {
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    { const GdiObject<HBRUSH> brush(raw); }
    EXPECT_EQ(GetObjectType(raw), 0u);

    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    { const ui::ImageList owner(list); }
    int width = 0;
    int height = 0;
    EXPECT_FALSE(ImageList_GetIconSize(list, &width, &height));
}

}  // namespace
}  // namespace kv
