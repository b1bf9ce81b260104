#pragma once

#include <string>
#include <string_view>

// Times as the products state them, held in one form: UTC, "2017-07-12T00:00:00Z", or to the
// millisecond where the file states one, "2017-10-24T11:06:06.580Z". Two sondes launched on one
// balloon are told apart from two launches by seconds, so nothing stated is rounded away.

// The UTC time of a stated time such as "2017-10-24T11:06:06.580Z", "2017-07-12 00:00:00" or
// "2017-07-12T02:00:00+02:00": UTC unless it states an offset, which is taken off; digits beyond
// the millisecond are dropped. Empty when it is no valid time.
std::string utcTime(std::string_view stated);
// The same from a broken-down UTC time; empty when any part is out of its range.
std::string utcTime(long year, long month, long day, long hour, long minute, long second, long millisecond = 0);

// The time of seconds since 1970-01-01T00:00:00Z, to the millisecond; empty when out of range.
std::string utcTimeOf(double seconds);

// Such a time as people read it, "2017-07-12 00:00" (with seconds: "…00:00:00", or "…06.580"
// where it holds milliseconds); empty for anything that is not one.
std::string readableTime(const std::string& utc, bool seconds = false);

// Seconds since 1970-01-01T00:00:00Z of such a time, with its milliseconds; NaN for anything
// that is not one.
double utcSeconds(const std::string& utc);
