#pragma once

#include "compare/exact_sum.h"
#include "flight/flight_identity.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Differences judged against the uncertainties of both flights. Two values m₁, m₂ with standard
// uncertainties u₁, u₂ are consistent at coverage factor k where |m₁ − m₂| ≤ k·u_c, with the
// combined uncertainty u_c of their difference: √(u₁² + u₂²) of sondes that err independently,
// less where they share errors (UncertaintyRule).

// The column that holds the total standard uncertainty of a flight's column, as its product
// states it ("temp_uc" or "u_temp" for "T"), or -1. A raw flight states no uncertainty: its
// column is only ever the operator's pick.
int automaticUncertainty(int parameter, const FlightIdentity& flight);

// An uncertainty column and the columns of its parts, as far as the flight states them: what a
// comparison judged by it reads.
std::vector<int> uncertaintyColumns(int uncertainty, const FlightIdentity& flight);

// How the uncertainties of two flights add up in their difference. Sondes of different models
// (or of unknown ones) err independently: their total uncertainties add in quadrature. Two
// sondes of one model share their temporally correlated errors, which then cancel in the
// difference; flown on one balloon they share the spatially correlated ones too, and only the
// uncorrelated parts remain. Without parts stated by both, the totals are all there is.
enum class UncertaintyRule { Independent, SameModel, SameBalloon, SameModelWithoutParts };

// "independent", "same model", "same model, same balloon", "same model, parts not stated": the
// words of the tables and the JSON.
std::string_view uncertaintyRuleName(UncertaintyRule rule);

// The rule for flight 1 judged by its column u1 and flight 2 by u2. One model: both state the
// same product and the same sonde model; one balloon: and the same sounding (event id and
// balloon number).
UncertaintyRule uncertaintyRule(const FlightIdentity& first, int u1, const FlightIdentity& second, int u2);

// A flight's uncertainty at one point, standard (k = 1): its total and the parts its product
// states; a part not stated is 0, and an uncorrelated part not stated is what the others leave
// of the total.
struct PointUncertainty {
  double total = 0;
  double spatial = 0, temporal = 0;
  std::optional<double> uncorrelated;
};

// What of a flight's uncertainty stays in a difference under the rule.
double remainingUncertainty(const PointUncertainty& uncertainty, UncertaintyRule rule);

// u_c, or NaN where either uncertainty holds no value. A u_c of zero judges nothing either: no
// difference could be measured against it.
double combinedUncertainty(double u1, double u2);

// A coverage factor as the tables write it: "2", "1.5".
std::string coverageFactorText(double coverageFactor);
// What the coverage factor of an uncertainty column says of it: "k = 2 stated, divided out", "k = 1
// stated", or "coverage factor not stated: taken as 1".
std::string coverageStatement(double coverageFactor);

// The coverage factors whose shares are told: 1, 2 and 3.
constexpr int kCoverageFactors = 3;

// How a set of differences stands against their u_c: the points that have one, their mean u_c,
// and the shares within k·u_c for k = 1, 2, 3.
class ConsistencyTally {
 public:
  // A difference and its u_c; one without u_c is left out.
  void add(double difference, double uncertainty);
  void add(const ConsistencyTally& other);

  std::size_t points() const { return points_; }
  // NaN without points.
  double meanUncertainty() const;
  // Of the points with u_c, the share with |Δ| ≤ k·u_c; NaN without points.
  double shareWithin(int k) const;

 private:
  std::size_t points_ = 0;
  ExactSum uncertainties_;
  std::size_t within_[kCoverageFactors] = {};
};
