#include "app/presentation/identity_lines.h"

#include "app/presentation/captions.h"

#include <cmath>
#include <cstdio>

namespace {

std::string coordinate(double value, const char* positive, const char* negative) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g° %s", std::fabs(value), value < 0 ? negative : positive);
  return text;
}

}  // namespace

std::vector<std::string> identityLines(const FlightIdentity& identity, int selectedHeight) {
  std::vector<std::string> shown{identity.path};
  const auto add = [&](const char* caption, const std::string& value) {
    if (!value.empty()) shown.push_back(caption + value);
  };
  const std::string& message = identity.messageRead;
  add("Формат: ", joined({identity.format, message.empty() ? message : "(message " + message + ")"}, " "));
  add("Запуск: ", withUtc(readableTime(identity.launchTime, true)));
  add("Срок: ", withUtc(readableTime(identity.nominalTime)));
  const std::string& station = identity.station;
  const std::string wmo = identity.wmoIndex.empty() || identity.wmoIndex == station ? std::string()
                                                                                     : "(WMO " + identity.wmoIndex + ")";
  add("Станция: ", joined({station, identity.stationName, wmo}, " "));
  std::string position;
  if (!std::isnan(identity.latitude) && !std::isnan(identity.longitude))
    position = coordinate(identity.latitude, "N", "S") + ", " + coordinate(identity.longitude, "E", "W");
  if (!std::isnan(identity.altitude))
    position = joined({position, std::to_string(std::lround(identity.altitude)) + " " +
                                     std::string(unitCaption(Unit::Metres))}, ", ");
  add("Место: ", position);
  add("Зонд: ", joined({identity.sondeType, identity.serialNumber}, ", № "));
  const std::string& version = identity.productVersion;
  add("Продукт: ", joined({identity.product, version.empty() ? version : "версия " + version}, ", "));
  add("Зондирование: ", joined({identity.eventId.empty() ? identity.eventId : "№ " + identity.eventId,
                                identity.balloonNumber.empty() ? identity.balloonNumber
                                                               : "оболочка " + identity.balloonNumber}, ", "));
  add("Вид высоты: ", std::string(heightKindCaption(identity.heightKindOf(selectedHeight))));
  return shown;
}
