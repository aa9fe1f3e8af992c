// Pictures on the clipboard, both ways: what Copy picture offers other
// programs, and what Paste picture takes from them.
#pragma once

#include "imageio/picture_file.h"

#include <memory>
#include <optional>

class QMimeData;

namespace velmora {

// The MIME type of the PNG put on the clipboard, and read back first.
inline constexpr const char* kPngMimeType = "image/png";

// `picture` for the clipboard: as a PNG in `form` (a part keeps its alpha)
// for programs that read PNG, and as a plain opaque image for those that
// take only a bitmap (they get the part's own pixels, see-through ones black).
std::unique_ptr<QMimeData> PictureMimeData(const RgbaPicture& picture, PngForm form);

// The picture the clipboard holds: its PNG when there is one (the alpha is
// kept), else any image Qt can make of it. nullopt when it holds no picture;
// a picture that does not decode, or is too large, is refused as
// DecodePicture refuses it.
std::optional<Result<RgbaPicture>> PictureFromMimeData(const QMimeData* data);

}  // namespace velmora
