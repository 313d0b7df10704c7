#include "app/figures.h"

#include "app/application.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

namespace wavelith {

namespace {

HBITMAP decodeFigure(HINSTANCE instance, WORD id) {
    // The figures are stored under the type *named* "RT_RCDATA", not the predefined type.
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), L"RT_RCDATA");
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(instance, resource);
    if (!bytes || size == 0) return nullptr;

    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* target = GlobalLock(copy);
    if (!target) {
        GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {  // the stream frees the block
        GlobalFree(copy);
        return nullptr;
    }
    HBITMAP bitmap = nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &image) == Gdiplus::Ok) {
        if (Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0x00FFFFFF) != Gdiplus::Ok)
            bitmap = nullptr;
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    stream->Release();
    return bitmap;
}

}  // namespace

void loadFigures(HINSTANCE instance, HBITMAP (&figures)[2]) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return;
    figures[0] = decodeFigure(instance, ids::kFigureTrayLegacy);
    figures[1] = decodeFigure(instance, ids::kFigureTrayModern);
    Gdiplus::GdiplusShutdown(token);
}

void deleteFigures(HBITMAP (&figures)[2]) {
    for (HBITMAP& figure : figures) {
        if (figure) DeleteObject(figure);
        figure = nullptr;
    }
}

}  // namespace wavelith
