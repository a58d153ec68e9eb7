// The Windows platform services: the executable's path from the system, the cursor's display
// counter, the icon resource compiled into the executable and the system picture decoder.
#include "base/platform.h"
#include "base/platform_win.h"

#include <stdio.h>
#include <string.h>

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <SDL.h>

// Sides past this count as damaged: the decoder's physical size can exceed what the
// picture's header said once the display's pixels per inch scale it.
#define DECODED_MAX_SIDE 16384

void platform_exe_path(char *out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    DWORD capacity = size > MAXDWORD ? MAXDWORD : (DWORD)size;
    DWORD n = GetModuleFileNameA(nullptr, out, capacity);
    // A path that did not fit comes back cut; it stays unknown rather than name another folder.
    if (n == 0 || n >= capacity)
        out[0] = '\0';
}

// A first start under Wine in a fresh prefix once never reached its loop with the system
// decoder running beside the window's creation; until that is understood, Windows decodes
// its pictures on the main thread as they are loaded.
bool platform_make_dir(const char *path)
{
    return CreateDirectoryA(path, nullptr) != 0;
}

bool platform_decode_beside_window(void)
{
    return false;
}

void platform_show_cursor(bool show)
{
    // The system counts shows and hides; the cursor is visible while the count is not
    // negative. Stepping until the count says so reaches the state from any start.
    if (show) {
        while (ShowCursor(TRUE) < 0) {
        }
    } else {
        while (ShowCursor(FALSE) >= 0) {
        }
    }
}

// A top-down 32-bit uncompressed bitmap description for GetDIBits.
static BITMAPINFO top_down_32(int w, int h)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

SDL_Surface *icon_resource_surface(int resource_id)
{
    const int side = PLATFORM_ICON_SIDE;
    // Blue, green, red, alpha in memory, as GetDIBits writes a 32-bit icon: the alpha is what
    // makes the icon's corners transparent instead of black.
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormat(0, side, side, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return nullptr;
    HICON icon = (HICON)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource_id), IMAGE_ICON, side,
                                   side, LR_SHARED);
    ICONINFO parts;
    if (!icon || !GetIconInfo(icon, &parts)) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = top_down_32(side, side);
    int rows = dc && parts.hbmColor ? GetDIBits(dc, parts.hbmColor, 0, side, surface->pixels, &info, DIB_RGB_COLORS)
                                    : 0;
    if (dc)
        DeleteDC(dc);
    if (parts.hbmColor)
        DeleteObject(parts.hbmColor);
    if (parts.hbmMask)
        DeleteObject(parts.hbmMask);
    DestroyIcon(icon);
    if (rows != side) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

void platform_set_window_icon(SDL_Window *window)
{
    if (!window)
        return;
    SDL_Surface *icon = icon_resource_surface(PLATFORM_ICON_RESOURCE);
    if (!icon)
        return;   // the window keeps the system's default icon
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

int himetric_to_pixels(long himetric, int pixels_per_inch)
{
    return (int)(((long long)pixels_per_inch * himetric + 1270) / 2540);
}

// The system decoder's picture from data, or null. The stream owns the memory block.
static IPicture *load_picture(const void *data, size_t size)
{
    if (size == 0 || size > 0x7fffffff)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void *bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(bytes, data, size);
    GlobalUnlock(block);
    IStream *stream = nullptr;
    if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {
        GlobalFree(block);
        return nullptr;
    }
    IPicture *picture = nullptr;
    HRESULT result = OleLoadPicture(stream, (LONG)size, FALSE, IID_IPicture, (void **)&picture);
    stream->Release();
    return SUCCEEDED(result) ? picture : nullptr;
}

// Renders the picture upright into a w x h 32-bit surface without alpha, or null.
static SDL_Surface *render_picture(IPicture *picture, HDC screen, int w, int h, long hw, long hh)
{
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    SDL_Surface *surface = SDL_CreateRGBSurface(0, w, h, 32, 0, 0, 0, 0);
    bool ok = memory && bitmap && surface;
    if (ok) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        // The source rectangle starts at the bottom and runs up: the picture comes out upright.
        ok = SUCCEEDED(picture->Render(memory, 0, 0, w, h, 0, hh, hw, -hh, nullptr));
        SelectObject(memory, previous);
    }
    if (ok) {
        BITMAPINFO info = top_down_32(w, h);
        // Rows of a 32-bit surface are packed, as GetDIBits writes them.
        ok = GetDIBits(memory, bitmap, 0, (UINT)h, surface->pixels, &info, DIB_RGB_COLORS) == h;
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    if (!ok && surface) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    return surface;
}

SDL_Surface *platform_decode_picture(const void *data, size_t size, PictureFormat format)
{
    (void)format;   // the system decoder tells the formats apart itself
    IPicture *picture = load_picture(data, size);
    if (!picture)
        return nullptr;
    OLE_XSIZE_HIMETRIC hw = 0;
    OLE_YSIZE_HIMETRIC hh = 0;
    picture->get_Width(&hw);
    picture->get_Height(&hh);
    SDL_Surface *surface = nullptr;
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (screen) {
        int w = himetric_to_pixels(hw, GetDeviceCaps(screen, LOGPIXELSX));
        int h = himetric_to_pixels(hh, GetDeviceCaps(screen, LOGPIXELSY));
        if (w > 0 && h > 0 && w <= DECODED_MAX_SIDE && h <= DECODED_MAX_SIDE)
            surface = render_picture(picture, screen, w, h, hw, hh);
        DeleteDC(screen);
    }
    picture->Release();
    return surface;
}

const char *system_error_text(unsigned long code)
{
    static char text[256];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' '))
        n--;
    if (n == 0)
        snprintf(text, sizeof text, "system error %lu", code);
    else
        text[n] = '\0';
    return text;
}
