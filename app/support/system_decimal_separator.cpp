#include "app/support/system_decimal_separator.h"

#include <QLocale>

char systemDecimalSeparator() { return QLocale::system().decimalPoint() == QLatin1String(",") ? ',' : '.'; }
