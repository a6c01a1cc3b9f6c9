#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win32/Gdi.h"
#include "runtime/win32/Pictures.h"

namespace tavlo::rt::win32::test {
namespace {

// A module holding one 4 x 2 BITMAP resource named "PICNRML": a copy of a
// system DLL with the resource added, loaded as data.
class ArtModule {
public:
    ArtModule() {
        wchar_t dir[MAX_PATH], system[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetSystemDirectoryW(system, MAX_PATH);
        path_ = std::wstring(dir) + L"tavlo_art_test.dll";
        CopyFileW((std::wstring(system) + L"\\msimg32.dll").c_str(), path_.c_str(), FALSE);
        HANDLE update = BeginUpdateResourceW(path_.c_str(), FALSE);
        std::vector<unsigned char> dib = bitmap();
        UpdateResourceW(update, MAKEINTRESOURCEW(2), L"PICNRML", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        dib.data(), static_cast<DWORD>(dib.size()));
        EndUpdateResourceW(update, FALSE);
        module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~ArtModule() {
        if (module_) FreeLibrary(module_);
        DeleteFileW(path_.c_str());
    }
    HMODULE get() const { return module_; }

private:
    static std::vector<unsigned char> bitmap() {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof h;
        h.biWidth = 4;
        h.biHeight = 2;
        h.biPlanes = 1;
        h.biBitCount = 24;
        std::vector<unsigned char> dib(sizeof h + 4 * 2 * 3, 0x80);
        memcpy(dib.data(), &h, sizeof h);
        return dib;
    }
    std::wstring path_;
    HMODULE module_ = nullptr;
};

TEST(PicturesTest, OneNameGivesOneHandleWhateverItsCase) {
    ArtModule art;
    ASSERT_NE(art.get(), nullptr);
    Pictures pictures(art.get());
    const Picture a = pictures.load("picNrml");
    const Picture b = pictures.load("PICNRML");
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    const SIZE size = pictureSize(a.handle);
    EXPECT_EQ(size.cx, 4);
    EXPECT_EQ(size.cy, 2);
}

TEST(PicturesTest, MissingResourceGivesAnEmptyPicture) {
    Pictures pictures;
    EXPECT_TRUE(pictures.load("noSuchPicture").empty());
    EXPECT_TRUE(pictures.load("").empty());
    EXPECT_EQ(pictureSize(0).cx, 0);
}

}  // namespace
}  // namespace tavlo::rt::win32::test
