#pragma once

#include "flight/flight_identity.h"
#include "flight/flight_tables.h"
#include "reference/reference_flight.h"

#include <string>

class SlotControls;

// Reads the radiosonde sounding of a BUFR file into a slot's table: of the messages whose
// template is TEMP (309052, classic reports converted from TAC) or high-resolution TEMP (309057)
// the one with the most levels (the first of equals), its first subset, unpacked with ecCodes.
// Other messages are skipped; the file may hold them, and each message may come as a WMO
// bulletin (bulletin_heading.h). Columns: the time since launch "time" (s), the
// geopotential height "H" (gpm: neither template gives another height of a level), "T" (°C),
// the relative humidity "U" (%) derived from temperature and dew point with Par, wind direction
// "D" (°) and speed "V" (m/s), pressure "P" (hPa) and dew point "Td" (°C). Missing values hold
// no value. Fails with ecCodes' message (for any message of the file it cannot read), or when
// the file holds no TEMP message. In a library's child only: the process may then read only
// ecCodes' definitions.
// descriptor: the file, opened by the program. The identity learns the launch time, the WMO
// station index, the position, the radiosonde type (named by WMO's code table) and serial
// number where the message states them, and that its height is geopotential; from the heading of
// the message's bulletin the station (the compiling centre) where the message states no WMO
// index and the nominal time where it states no launch; and which message it was where the file
// holds several.
// Every column is read.
ProductRead readBufrSounding(int descriptor, FlightTable& table, bool strict, SlotControls& controls,
                             FlightIdentity& identity);
