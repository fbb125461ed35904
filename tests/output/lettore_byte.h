#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace scenario::prova {

// Reads back the little-endian packed bytes of the binary files, as a loader would.
class lettore_byte {
public:
    explicit lettore_byte(const std::string& dati) : dati_(dati) {}

    std::uint8_t u8() { return static_cast<std::uint8_t>(prendi(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(prendi(2)); }
    std::int16_t i16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(prendi(2))); }
    std::int32_t i32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(prendi(4))); }
    double f64() { return std::bit_cast<double>(prendi(8)); }
    std::string byte(std::size_t n) {
        controlla(n);
        std::string s = dati_.substr(pos_, n);
        pos_ += n;
        return s;
    }

    std::size_t posizione() const { return pos_; }
    bool finito() const { return pos_ == dati_.size(); }

private:
    void controlla(std::size_t n) const {
        if (dati_.size() - pos_ < n) throw std::out_of_range("lettura oltre la fine dei dati");
    }
    std::uint64_t prendi(int n) {
        controlla(static_cast<std::size_t>(n));
        std::uint64_t v = 0;
        for (int b = n - 1; b >= 0; --b) {
            v = (v << 8) | static_cast<unsigned char>(dati_[pos_ + static_cast<std::size_t>(b)]);
        }
        pos_ += static_cast<std::size_t>(n);
        return v;
    }

    const std::string& dati_;
    std::size_t pos_ = 0;
};

}  // namespace scenario::prova
