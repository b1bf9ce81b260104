#include "reference/bulletin_heading.h"

#include "flight/utc_time.h"

#include <algorithm>

namespace {

constexpr std::string_view kStartOfHeading("\x01", 1);

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text has the shape, 'A' standing for a capital and '9' for a digit.
bool hasShape(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool fits = shape[i] == 'A' ? isCapital(text[i]) : shape[i] == '9' ? isDigit(text[i]) : text[i] == shape[i];
    if (!fits) return false;
  }
  return true;
}

int twoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

// The next line of the bytes, taken off them with its line end; nothing where no accepted line
// end closes it.
std::optional<std::string_view> takeLine(std::string_view& bytes) {
  const std::size_t end = bytes.find_first_of("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  for (std::string_view lineEnd : {"\r\r\n", "\r\n", "\n"}) {
    if (bytes.substr(end, lineEnd.size()) != lineEnd) continue;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + lineEnd.size());
    return line;
  }
  return std::nullopt;
}

bool isSequenceNumber(std::string_view line) {
  return line.size() >= 3 && line.size() <= 5 && std::all_of(line.begin(), line.end(), isDigit);
}

}  // namespace

std::optional<BulletinHeading> bulletinHeading(std::string_view line) {
  constexpr std::string_view kHeading = "AAAA99 AAAA 999999", kGroupBbb = " AAA";
  constexpr std::size_t kStation = 7, kTime = 12;
  const std::string_view bbb = line.substr(std::min(line.size(), kHeading.size()));
  if (!hasShape(line.substr(0, kHeading.size()), kHeading) || !(bbb.empty() || hasShape(bbb, kGroupBbb)))
    return std::nullopt;
  const BulletinHeading heading{std::string(line.substr(kStation, 4)), twoDigits(line, kTime),
                                twoDigits(line, kTime + 2), twoDigits(line, kTime + 4)};
  if (heading.day < 1 || heading.day > 31 || heading.hour > 23 || heading.minute > 59) return std::nullopt;
  return heading;
}

std::size_t bulletinMessageStart(std::string_view bytes) {
  std::string_view rest = bytes;
  std::optional<std::string_view> line = takeLine(rest);
  if (line == kStartOfHeading) line = takeLine(rest);
  if (line && isSequenceNumber(*line)) line = takeLine(rest);
  if (!line || !bulletinHeading(*line)) return std::string_view::npos;
  return bytes.size() - rest.size();
}

std::optional<BulletinHeading> headingBefore(std::string_view before, bool whole) {
  // Every accepted line end ends with LF, and has at most two CR before it.
  if (before.empty() || before.back() != '\n') return std::nullopt;
  before.remove_suffix(1);
  for (int i = 0; i < 2 && !before.empty() && before.back() == '\r'; ++i) before.remove_suffix(1);
  const std::size_t previousEnd = before.rfind('\n');
  if (previousEnd == std::string_view::npos && !whole) return std::nullopt;
  return bulletinHeading(before.substr(previousEnd == std::string_view::npos ? 0 : previousEnd + 1));
}

std::string headingTime(const BulletinHeading& heading, long typicalYear, long typicalMonth, long typicalDay) {
  constexpr int kHalfAMonth = 15;
  if (typicalMonth < 1 || typicalMonth > 12) return {};
  long year = typicalYear, month = typicalMonth;
  if (heading.day - typicalDay > kHalfAMonth) --month;
  else if (typicalDay - heading.day > kHalfAMonth) ++month;
  if (month == 0) {
    month = 12;
    --year;
  } else if (month == 13) {
    month = 1;
    ++year;
  }
  return utcTime(year, month, heading.day, heading.hour, heading.minute, 0);
}
