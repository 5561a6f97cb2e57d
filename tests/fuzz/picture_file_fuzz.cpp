// libFuzzer target for the picture decoders: any bytes, as a bitmap and as an
// icon, must be decoded or refused without a fault.

#include "picture_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    QString error;
    (void)pokaz::imagefile::decodeBitmap(bytes, &error);
    (void)pokaz::imagefile::decodeIcon(bytes, &error);
    return 0;
}
