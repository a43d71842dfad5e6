#pragma once

namespace ardenvo {

// The display units over the internal centimetre: centimeters, meters, inches, feet, yards.
class UnitTable {
public:
    static constexpr int kCount = 5;

    // An index outside 0-4 is taken as 0 (centimetres).
    explicit UnitTable(int index = 0);

    int index() const { return m_index; }
    void setIndex(int index);

    double factor() const { return factorAt(m_index); }
    const char* name() const { return nameAt(m_index); }   // "centimeters", ...
    const char* label() const { return labelAt(m_index); } // "Centimeters", ...

    // Out-of-range indexes give the centimetre entry.
    static const char* nameAt(int index);
    static const char* labelAt(int index);
    static double factorAt(int index);

    // Internal value in the current unit, rounded to two decimals as "%.2f" shows it.
    double toDisplay(double internal) const;
    // A value in the current unit in centimetres (not rounded; callers truncate for coordinates).
    double toInternal(double display) const;

private:
    int m_index = 0;
};

} // namespace ardenvo
