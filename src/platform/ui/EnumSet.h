// A set of enumeration values, as the framework writes [fsBold, fsItalic].
#pragma once

#include <initializer_list>

namespace ui {

template <class E>
class SetOf {
public:
    constexpr SetOf() = default;
    constexpr SetOf(std::initializer_list<E> values) {
        for (E v : values) bits_ |= Bit(v);
    }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr SetOf& Include(E v) {
        bits_ |= Bit(v);
        return *this;
    }
    constexpr SetOf& Exclude(E v) {
        bits_ &= ~Bit(v);
        return *this;
    }
    constexpr SetOf operator+(SetOf other) const { return FromBits(bits_ | other.bits_); }
    constexpr SetOf operator-(SetOf other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr SetOf operator*(SetOf other) const { return FromBits(bits_ & other.bits_); }
    constexpr bool operator==(const SetOf&) const = default;

private:
    static constexpr unsigned long long Bit(E v) { return 1ull << static_cast<unsigned>(v); }
    static constexpr SetOf FromBits(unsigned long long bits) {
        SetOf s;
        s.bits_ = bits;
        return s;
    }
    unsigned long long bits_ = 0;
};

}  // namespace ui
