/* The pictures: the toolbar icons' file structure and their grey copy, the
   program and uninstall icon groups, and the side banner. */
#include "Carried.h"
#include "Sandbox.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

struct IconImage {
    unsigned size;
    unsigned colourCount;
    unsigned bits;
    unsigned bytes;
    unsigned offset;
};

// Both toolbar icons: a 16-colour 16 x 16 image and a 256-colour 20 x 20 one.
const IconImage ToolbarImages[] = {{16, 16, 4, 296, 38}, {20, 0, 8, 1544, 334}};

unsigned Byte(const std::string &bytes, size_t offset)
{
    return offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0xFFFFFFFF;
}

std::string ToolbarIcon(const char *name)
{
    return ResourceBytes(name, "FILES");
}

// Colour of pixel (x, y) of an image in an icon file, and whether it shows.
struct Pixel {
    unsigned rgb;
    bool transparent;
};

Pixel PixelAt(const std::string &file, const IconImage &image, unsigned x, unsigned y)
{
    size_t header = image.offset;
    size_t palette = header + 40;
    size_t colours = palette + 4 * (1u << image.bits);
    size_t stride = (image.size * image.bits + 31) / 32 * 4;
    size_t maskStride = (image.size + 31) / 32 * 4;
    size_t row = image.size - 1 - y; // rows are stored bottom-up
    unsigned index;
    if (image.bits == 4) {
        unsigned pair = Byte(file, colours + row * stride + x / 2);
        index = x % 2 == 0 ? pair >> 4 : pair & 15;
    } else {
        index = Byte(file, colours + row * stride + x);
    }
    size_t mask = colours + stride * image.size;
    bool transparent = (Byte(file, mask + row * maskStride + x / 8) & (0x80 >> (x % 8))) != 0;
    return {Dword(file, palette + 4 * index) & 0xFFFFFF, transparent};
}

bool IsGrey(unsigned rgb)
{
    return (rgb & 0xFF) == ((rgb >> 8) & 0xFF) && (rgb & 0xFF) == ((rgb >> 16) & 0xFF);
}

// Size of an icon's colour bitmap; 0 x 0 when it has none.
SIZE IconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info;
    if (icon == NULL || !GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap;
    if (info.hbmColor != NULL && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        size.cx = bitmap.bmWidth;
        size.cy = bitmap.bmHeight;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

std::string OwnPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    return path;
}

} // namespace

TEST(ToolbarIcons, HaveTwoImagesOfTheirSizesAndDepths)
{
    for (const char *name : {"ICON.ICO", "ICONS.ICO"}) {
        SCOPED_TRACE(name);
        std::string file = ToolbarIcon(name);
        ASSERT_EQ(1878u, file.size());
        EXPECT_EQ(0u, Word(file, 0));
        EXPECT_EQ(1u, Word(file, 2));
        ASSERT_EQ(2u, Word(file, 4));
        for (int i = 0; i < 2; ++i) {
            const IconImage &image = ToolbarImages[i];
            size_t entry = 6 + 16 * i;
            EXPECT_EQ(image.size, Byte(file, entry)) << i;
            EXPECT_EQ(image.size, Byte(file, entry + 1)) << i;
            EXPECT_EQ(image.colourCount, Byte(file, entry + 2)) << i;
            EXPECT_EQ(0u, Byte(file, entry + 3)) << i;
            EXPECT_EQ(1u, Word(file, entry + 4)) << i;
            EXPECT_EQ(image.bits, Word(file, entry + 6)) << i;
            EXPECT_EQ(image.bytes, Dword(file, entry + 8)) << i;
            EXPECT_EQ(image.offset, Dword(file, entry + 12)) << i;
            // The image's own header: colour and mask, twice as high.
            EXPECT_EQ(40u, Dword(file, image.offset)) << i;
            EXPECT_EQ(image.size, Dword(file, image.offset + 4)) << i;
            EXPECT_EQ(2 * image.size, Dword(file, image.offset + 8)) << i;
            EXPECT_EQ(1u, Word(file, image.offset + 12)) << i;
            EXPECT_EQ(image.bits, Word(file, image.offset + 14)) << i;
            EXPECT_EQ(unsigned(BI_RGB), Dword(file, image.offset + 16)) << i;
        }
    }
}

TEST(ToolbarIcons, NormalIconIsTheHotIconInGrey)
{
    std::string hot = ToolbarIcon("ICON.ICO");
    std::string normal = ToolbarIcon("ICONS.ICO");
    ASSERT_EQ(hot.size(), normal.size());
    for (const IconImage &image : ToolbarImages) {
        bool coloured = false;
        unsigned shown = 0;
        for (unsigned y = 0; y < image.size; ++y) {
            for (unsigned x = 0; x < image.size; ++x) {
                Pixel h = PixelAt(hot, image, x, y);
                Pixel n = PixelAt(normal, image, x, y);
                ASSERT_EQ(h.transparent, n.transparent) << x << "," << y;
                if (h.transparent)
                    continue;
                ++shown;
                coloured = coloured || !IsGrey(h.rgb);
                ASSERT_TRUE(IsGrey(n.rgb)) << x << "," << y;
                // The grey is the colour's brightness.
                unsigned r = h.rgb >> 16, g = (h.rgb >> 8) & 0xFF, b = h.rgb & 0xFF;
                int level = int((299 * r + 587 * g + 114 * b + 500) / 1000);
                EXPECT_NEAR(level, int(n.rgb & 0xFF), 1) << x << "," << y;
            }
        }
        EXPECT_TRUE(coloured) << image.size;
        // A picture, not a speck: at least a third of the square is drawn.
        EXPECT_GT(shown, image.size * image.size / 3) << image.size;
    }
}

TEST(ToolbarIcons, LoadFromTheirFilesAtBothSizes)
{
    ScratchFolder folder("icons");
    for (const char *name : {"ICON.ICO", "ICONS.ICO"}) {
        ASSERT_TRUE(WriteFileBytes(folder / name, ToolbarIcon(name)));
        for (int size : {16, 20}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(NULL, (folder / name).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
            ASSERT_NE((HICON)NULL, icon) << name << " " << size;
            SIZE got = IconSize(icon);
            EXPECT_EQ(size, got.cx) << name;
            EXPECT_EQ(size, got.cy) << name;
            DestroyIcon(icon);
        }
    }
}

TEST(ProgramIcons, UninstallIconIsTheSecondGroupWithOne32By32ImageIn16Colours)
{
    std::string path = OwnPath();
    // Shortcuts name the uninstall icon by its index: the second of two groups.
    EXPECT_EQ(2u, (UINT_PTR)ExtractIconA(GetModuleHandleA(NULL), path.c_str(), (UINT)-1));

    std::string group = ResourceBytes(MAKEINTRESOURCEA(IDI_UNINSTALL), RT_GROUP_ICON);
    ASSERT_EQ(6u + 14u, group.size());
    EXPECT_EQ(1u, Word(group, 2));
    EXPECT_EQ(1u, Word(group, 4));
    EXPECT_EQ(32u, Byte(group, 6));
    EXPECT_EQ(32u, Byte(group, 7));
    EXPECT_EQ(16u, Byte(group, 8));
    EXPECT_EQ(4u, Word(group, 12));

    HICON icon = ExtractIconA(GetModuleHandleA(NULL), path.c_str(), 1);
    SIZE size = IconSize(icon);
    EXPECT_EQ(32, size.cx);
    EXPECT_EQ(32, size.cy);
    DestroyIcon(icon);
}

TEST(ProgramIcons, ProgramIconHasLargeAndSmallImages)
{
    std::string group = ResourceBytes(MAKEINTRESOURCEA(IDI_PROGRAM), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    unsigned count = Word(group, 4);
    ASSERT_EQ(6u + 14u * count, group.size());
    bool large = false, small = false;
    for (unsigned i = 0; i < count; ++i) {
        large = large || Byte(group, 6 + 14 * i) == 32;
        small = small || Byte(group, 6 + 14 * i) == 16;
    }
    EXPECT_TRUE(large);
    EXPECT_TRUE(small);
    HICON icon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_PROGRAM));
    EXPECT_NE((HICON)NULL, icon);
}

TEST(Banner, IsAnUncompressedPortraitOf122By262With256Colours)
{
    std::string bitmap = ResourceBytes(MAKEINTRESOURCEA(IDB_BANNER), RT_BITMAP);
    const unsigned stride = (122 + 3) / 4 * 4;
    ASSERT_EQ(40u + 4 * 256 + stride * 262, bitmap.size());
    EXPECT_EQ(40u, Dword(bitmap, 0));
    EXPECT_EQ(122u, Dword(bitmap, 4));
    EXPECT_EQ(262u, Dword(bitmap, 8)); // positive: rows bottom-up
    EXPECT_EQ(1u, Word(bitmap, 12));
    EXPECT_EQ(8u, Word(bitmap, 14));
    EXPECT_EQ(unsigned(BI_RGB), Dword(bitmap, 16));
    unsigned used = Dword(bitmap, 32);
    EXPECT_TRUE(used == 0 || used == 256) << used;

    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_BANNER),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE((HBITMAP)NULL, loaded);
    DIBSECTION section;
    ASSERT_EQ(int(sizeof section), GetObjectA(loaded, sizeof section, &section));
    EXPECT_EQ(122, section.dsBm.bmWidth);
    EXPECT_EQ(262, section.dsBm.bmHeight);
    EXPECT_EQ(8, section.dsBm.bmBitsPixel);
    DeleteObject(loaded);
}
