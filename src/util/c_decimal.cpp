#include "util/c_decimal.h"

#include <locale.h>

#include <cstdlib>

double ParseCDecimal(const std::string& literal) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(literal.c_str(), nullptr, cLocale);
}
