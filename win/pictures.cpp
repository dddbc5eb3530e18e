#include "pictures.h"

#include "com.h"

#include <wincodec.h>

#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

using vendaro::layout::Picture;
using vendaro::layout::pictureFile;

namespace {

constexpr int kScales[] = {VENDARO_PICTURE_SCALES}; // percent, as the build drew them

// The smallest scale drawn at or above the dpi's, else the largest.
int drawnScale(int dpi)
{
    for (const int percent : kScales)
        if (percent * 96 >= dpi * 100)
            return percent;
    return kScales[std::size(kScales) - 1];
}

// The resource the build made of a picture at a scale: WAITING_FACE_125.
std::wstring resourceName(Picture picture, int percent)
{
    std::wstring name;
    for (const char* c = pictureFile(picture).name; *c; ++c)
        name += static_cast<wchar_t>(std::towupper(static_cast<wint_t>(*c)));
    return name + L"_" + std::to_wstring(percent);
}

IWICImagingFactory* imaging()
{
    static IWICImagingFactory* const factory = [] {
        IWICImagingFactory* made = nullptr;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(&made));
        return made;
    }();
    return factory;
}

// Said once to a debugger; the drill starts without the picture rather than not at all.
void reportMissing(const std::wstring& name)
{
    OutputDebugStringW((L"Vendaro: cannot load the picture " + name + L"\n").c_str());
}

OwnedBitmap dibSection(SIZE size, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return OwnedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

bool succeeded(HRESULT result) { return SUCCEEDED(result); }

// The first frame of the PNG held by a resource, premultiplied.
bool premultipliedFrame(IWICImagingFactory* factory, HRSRC found, Com<IWICStream>& stream,
                        Com<IWICBitmapDecoder>& decoder, Com<IWICBitmapFrameDecode>& frame,
                        Com<IWICFormatConverter>& premultiplied)
{
    auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(nullptr, found)));
    return succeeded(factory->CreateStream(stream.put())) &&
           succeeded(stream->InitializeFromMemory(bytes, SizeofResource(nullptr, found))) &&
           succeeded(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                      decoder.put())) &&
           succeeded(decoder->GetFrame(0, frame.put())) &&
           succeeded(factory->CreateFormatConverter(premultiplied.put())) &&
           succeeded(premultiplied->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                               nullptr, 0, WICBitmapPaletteTypeCustom));
}

// Decodes the PNG of a resource into a DIB section of `size` in `format`. A
// drawing of another size is scaled as premultiplied pixels, which keeps the
// edges of its transparency clean.
OwnedBitmap decode(const std::wstring& name, SIZE size, const GUID& format)
{
    IWICImagingFactory* factory = imaging();
    const HRSRC found = factory ? FindResourceW(nullptr, name.c_str(), RT_RCDATA) : nullptr;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> premultiplied, converted;
    Com<IWICBitmapScaler> scaler;
    UINT width = 0, height = 0;
    if (!found || !premultipliedFrame(factory, found, stream, decoder, frame, premultiplied) ||
        !succeeded(frame->GetSize(&width, &height)))
        return {};
    IWICBitmapSource* source = premultiplied.get();
    const auto cx = static_cast<UINT>(size.cx), cy = static_cast<UINT>(size.cy);
    if ((width != cx || height != cy) && succeeded(factory->CreateBitmapScaler(scaler.put())) &&
        succeeded(scaler->Initialize(source, cx, cy, WICBitmapInterpolationModeFant)))
        source = scaler.get();
    void* bits = nullptr;
    OwnedBitmap bitmap = dibSection(size, &bits);
    const bool done = bitmap.get() && succeeded(factory->CreateFormatConverter(converted.put())) &&
                      succeeded(converted->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0,
                                                      WICBitmapPaletteTypeCustom)) &&
                      succeeded(converted->CopyPixels(nullptr, cx * 4, cx * cy * 4, static_cast<BYTE*>(bits)));
    return done ? std::move(bitmap) : OwnedBitmap();
}

} // namespace

Pictures::Pictures(Scale scale) : scale_(scale)
{
    for (int i = 0; i < vendaro::layout::kPictureCount; ++i) {
        const auto picture = static_cast<Picture>(i);
        if (picture == Picture::WritingHand || picture == Picture::PointingHand || picture == Picture::ProgramIcon)
            continue;
        const std::wstring name = resourceName(picture, drawnScale(scale.dpi));
        bitmaps_[index(picture)] = decode(name, size(picture), GUID_WICPixelFormat32bppPBGRA);
        if (!bitmaps_[index(picture)].get())
            reportMissing(name);
    }
    writingHand_ = pointer(Picture::WritingHand);
    pointingHand_ = pointer(Picture::PointingHand);
}

SIZE Pictures::size(Picture picture) const
{
    const auto& file = pictureFile(picture);
    return {scale_.px(file.width), scale_.px(file.height)};
}

// A pointer takes straight, not premultiplied, alpha, and a mask that the alpha overrides.
OwnedCursor Pictures::pointer(Picture picture) const
{
    const std::wstring name = resourceName(picture, drawnScale(scale_.dpi));
    const SIZE side = size(picture);
    OwnedBitmap colour = decode(name, side, GUID_WICPixelFormat32bppBGRA);
    if (!colour.get()) {
        reportMissing(name);
        return {};
    }
    const std::vector<BYTE> clear(static_cast<std::size_t>((side.cx + 15) / 16 * 2 * side.cy));
    OwnedBitmap mask(CreateBitmap(side.cx, side.cy, 1, 1, clear.data()));
    const auto& file = pictureFile(picture);
    ICONINFO info{FALSE, static_cast<DWORD>(scale_.px(file.hotSpotX)), static_cast<DWORD>(scale_.px(file.hotSpotY)),
                  mask.get(), colour.get()};
    return OwnedCursor(CreateIconIndirect(&info));
}
