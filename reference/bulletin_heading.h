#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// National services hand out a TEMP as the GTS carries it: a WMO bulletin of an optional
// start-of-heading line (SOH, 0x01), an optional channel sequence number line (3 to 5 digits),
// the abbreviated heading "IUSD04 LOWM 060200" with an optional BBB group ("RRA", "CCA", "AAB"),
// each line ended by CR CR LF (or CR LF, or LF), then the BUFR message, then "NNNN" and the
// end-of-text byte where the sender adds them. Only a heading of the strict form counts: TTAAii
// (four capitals, two digits), CCCC (four capitals), YYGGgg (a day, hour and minute that exist),
// so that no station's text passes for one.
struct BulletinHeading {
  std::string station;  // CCCC, the centre that compiled the bulletin
  int day = 0, hour = 0, minute = 0;
};

// The heading a line holds (without its line end), where it is one.
std::optional<BulletinHeading> bulletinHeading(std::string_view line);

// Where the message of a bulletin that starts these bytes begins, just behind its heading's line
// end; npos where the bytes start no bulletin.
std::size_t bulletinMessageStart(std::string_view bytes);

// How far before its message a bulletin's heading lies at most: it and the lines before it are
// short.
constexpr std::size_t kHeadingReach = 128;

// The heading of the bulletin a message comes in: the last line before the message, where it is
// a heading. before: the last bytes between the previous message (or the file's start) and this
// one; whole: whether they are all of those bytes, so that their first line is a whole line.
std::optional<BulletinHeading> headingBefore(std::string_view before, bool whole);

// The time the heading states, "2026-06-06T02:00:00Z". The heading gives no year and month: they
// come from the message's typical date, of the month next to it where the day lies across a month
// boundary from the typical day (a sounding launched before midnight on the 31st for the 1st's
// 00 UTC). Empty where the date does not exist.
std::string headingTime(const BulletinHeading& heading, long typicalYear, long typicalMonth, long typicalDay);
