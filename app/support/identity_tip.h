#pragma once

#include "flight/flight_identity.h"

#include <QString>

// A flight's identity as a tip shows it: the full path, then a line for each fact its file
// states, with the kind of the height column selected. Empty for a slot without a flight.
QString identityToolTip(const FlightIdentity& identity, int selectedHeight);

// A tip shown as written: a file's name that holds tags ("<b>") never turns it into rich text.
QString plainToolTip(const QString& text);
