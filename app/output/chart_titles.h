#pragma once

#include "campaign/campaign_settings.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the charts' axes and comparison curves are called, from the columns picked and "+".

// The height axis of a chart: of the kind of height its flights state, where one kind is known
// for all ("Высота, м (геопотенциальная)"), else each flight's kind by its slot; without any,
// "Высота, м". flights: the drawn flights' slots and the kinds of their height columns.
QString heightAxisTitle(const std::vector<std::pair<int, HeightKind>>& flights = {});

// A parameter column's name, with its unit when it is one of the quick-select quantities.
QString parameterTitle(const QString& columnName);

// Chart1's parameter axis: the titles of the columns drawn, each named once.
QString flightsAxisTitle(const QStringList& columnNames);

// Chart2's parameter axis ("T₁ − T₂, °C") and its two curves: flight 1 minus, or with "+" plus,
// flight 2.
QString comparisonAxisTitle(const QString& first, const QString& second, bool plus);
QString comparisonSeriesName(bool plus);
QString movingAverageSeriesName();

// A value as a readout shows it: in the locale's notation, to a precision fitted to its unit
// (0.01 °C, 0.1 %, 1°, 0.1 м/с, 0.1 гПа, 1 м; four significant digits without a known unit),
// with the unit.
QString readoutNumber(const QLocale& locale, double value, const QString& unit);

// Texts of the core (UTF-8) as the window shows them.
QString fromUtf8(std::string_view text);

// How a campaign is drawn: the value axis ("T₁ − T₂, °C", or the column's name), and a group ("Все
// пары" for every pair, any other as the list gives it).
QString campaignAxisTitle(const CampaignSettings& settings);
QString groupCaption(const std::string& group, bool solarGroups);
