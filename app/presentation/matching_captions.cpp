#include "app/presentation/matching_captions.h"

#include <cmath>
#include <cstdio>

namespace {

std::string tenths(double value, char decimalSign) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.1f", std::abs(value));
  std::string text = digits;
  for (char& c : text)
    if (c == '.') c = decimalSign;
  return text;
}

}  // namespace

std::string signedTenths(double value, char decimalSign) {
  return (value < 0 && std::round(value * 10) != 0 ? "−" : "+") + tenths(value, decimalSign);
}

std::string matchingCaption(MatchBy by, const ClockShift& shift, char decimalSign) {
  if (by == MatchBy::Height) return "по высоте";
  if (std::isnan(shift.shift)) return "по времени";
  return "по времени, сдвиг " + signedTenths(shift.shift, decimalSign) + " с";
}

std::string shiftFacts(const ClockShift& shift, char decimalSign) {
  if (std::isnan(shift.shift)) return {};
  std::string facts = std::string(shift.automatic ? "Сдвиг найден: " : "Сдвиг введён: ") + signedTenths(shift.shift, decimalSign) + " с";
  if (shift.expected != 0 || shift.clockSeconds)
    facts += " (разница заявленных запусков " + signedTenths(shift.expected, decimalSign) + " с)";
  if (std::isnan(shift.misfit)) return facts + "; высоты полётов на 4–6 км не сходятся во времени.";
  facts += "; разброс разности высот " + tenths(shift.misfit, decimalSign) + " м, средняя разность " +
           signedTenths(shift.heightDifference, decimalSign) + " м";
  if (!shift.flat) facts += "; на 5 с в сторону разброс растёт на " + tenths(shift.sharpness, decimalSign) + " м";
  if (shift.clockSeconds)
    facts += *shift.clockSeconds == 0
                 ? "; это разница часов, а не запаздывание"
                 : "; это разница часов (с " + signedTenths(*shift.clockSeconds, decimalSign) + " с GPS − UTC), а не запаздывание";
  if (shift.atEdge)
    facts += "; сдвиг на краю поиска (±" + std::to_string(static_cast<int>(kShiftSearch)) +
             " с): часы могут расходиться больше";
  if (shift.flat) facts += "; минимум пологий: сдвиг определён неуверенно";
  return facts + ".";
}
