#include "paytotals.h"

namespace data {
namespace {

template <size_t N> double sum(const std::array<Field*, N>& fields)
{
    long double total = fields[0]->asFloat();
    for (size_t k = 1; k < N; ++k)
        total += fields[k]->asFloat();
    return double(total);
}

} // namespace

void computePayTotals(const PayFields& f)
{
    f.i10->setAsFloat(sum(f.i));
    f.u10->setAsFloat(sum(f.u));
    f.di8->setAsFloat(sum(f.di));
    f.du8->setAsFloat(sum(f.du));
    f.in->setAsFloat(f.u10->asFloat());
    f.um->setAsFloat(f.du8->asFloat());
    f.km->setAsFloat(double(static_cast<long double>(f.u10->asFloat()) - f.du8->asFloat()));
}

} // namespace data
