#pragma once
// The seven pay totals of a pay record, shared by the payroll screen and the payslip.
#include "field.h"
#include <array>

namespace data {

struct PayFields {
    std::array<Field*, 9> i{};  // m_i1..m_i9, approved payable
    std::array<Field*, 9> u{};  // m_u1..m_u9, actual payable
    std::array<Field*, 7> di{}; // m_di1..m_di7, approved deductions
    std::array<Field*, 7> du{}; // m_du1..m_du7, actual deductions
    Field* i10 = nullptr;
    Field* u10 = nullptr;
    Field* di8 = nullptr;
    Field* du8 = nullptr;
    Field* in = nullptr;
    Field* um = nullptr;
    Field* km = nullptr;
};

// Sums in extended precision, rounded to double once when written. Null amounts count as 0.
void computePayTotals(const PayFields& f);

} // namespace data
