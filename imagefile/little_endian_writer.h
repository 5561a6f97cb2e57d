#pragma once

#include <QByteArray>

#include <cstdint>

namespace pokaz::imagefile {

// Appends the little-endian integers that BMP and ICO headers are made of.
class LittleEndianWriter final {
public:
    explicit LittleEndianWriter(QByteArray& target)
        : target_(target)
    {
    }

    void u8(std::uint8_t value);
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value);
    void zeros(int count);

private:
    QByteArray& target_;
};

} // namespace pokaz::imagefile
