#pragma once

class IReadFile;

// The picture formats of the image loader registry, in its lookup order.
enum class ImageFileFormat
{
	Bmp,
	Jpeg,
	Tga,
	Pcx,
	Png,
	Wal,
	Ppm,
};

// Largest picture the loaders are allowed to decode: side and pixel count.
constexpr unsigned MaxImageSide = 8192;
constexpr unsigned long MaxImagePixels = 4096ul * 4096ul;

// True when the file's header describes a picture of the format that the 3-D library's loader
// can decode without reading or writing outside its buffers and without a huge allocation.
// Reads from position 0; the position afterwards is unspecified.
bool isImageHeaderSafe(ImageFileFormat format, IReadFile* file);
