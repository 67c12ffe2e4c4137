#include "util/c_decimal.h"

#include <locale.h>

#include <cstdlib>

double ParseCDecimal(const std::string& literal) {
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(literal.c_str(), nullptr, cLocale);
}
