#include "output/scrittore_byte.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace scenario {

// The block is written over before it is read: it needs no clearing.
scrittore_byte::scrittore_byte()
    : destinazione_(&propria_), blocco_(std::make_unique_for_overwrite<char[]>(blocco_iniziale)) {}

scrittore_byte::scrittore_byte(destinazione_byte& destinazione)
    : destinazione_(&destinazione),
      blocco_(std::make_unique_for_overwrite<char[]>(blocco_iniziale)) {}

void scrittore_byte::riserva(std::size_t byte) {
    if (destinazione_ == &propria_) propria_.dati().reserve(byte);
}

void scrittore_byte::f64(double v) { in_ordine(std::bit_cast<std::uint64_t>(v), 8); }

void scrittore_byte::grezzi(std::string_view byte) {
    if (byte.size() <= capacita_ - usati_) {
        std::memcpy(blocco_.get() + usati_, byte.data(), byte.size());
        usati_ += byte.size();
        return;
    }
    // Too large for the block: passed on as it is, after what the block already holds.
    svuota_blocco();
    destinazione_->ricevi(byte);
}

void scrittore_byte::svuota_blocco(std::size_t servono) {
    const bool pieno = usati_ > capacita_ / 2 || servono > capacita_;
    if (usati_ != 0) {
        // Emptied first: a destination that fails leaves no bytes to be passed on twice.
        const std::size_t quanti = std::exchange(usati_, 0);
        destinazione_->ricevi(std::string_view(blocco_.get(), quanti));
    }
    if (pieno && capacita_ < blocco_massimo) {
        capacita_ = std::min(blocco_massimo, std::max(2 * capacita_, servono));
        blocco_ = std::make_unique_for_overwrite<char[]>(capacita_);
    }
}

std::span<char> scrittore_byte::spazio(std::size_t byte) {
    if (byte > blocco_massimo) {
        throw std::length_error("scrittore_byte: " + std::to_string(byte) + " byte in un blocco");
    }
    if (capacita_ - usati_ < byte) svuota_blocco(byte);
    return {blocco_.get() + usati_, byte};
}

void scrittore_byte::avanza(std::size_t byte) {
    if (byte > capacita_ - usati_) {
        throw std::length_error("scrittore_byte: avanza oltre il blocco");
    }
    usati_ += byte;
}

void scrittore_byte::concludi() { svuota_blocco(); }

const std::string& scrittore_byte::dati() {
    svuota_blocco();
    return propria_.dati();
}

std::string scrittore_byte::prendi() {
    svuota_blocco();
    return std::move(propria_.dati());
}

}  // namespace scenario
