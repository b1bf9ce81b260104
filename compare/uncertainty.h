#pragma once

#include "compare/exact_sum.h"
#include "intake/flight_identity.h"

#include <cstddef>
#include <string>
#include <vector>

// Differences judged against the uncertainties of both flights. Two values m₁, m₂ with standard
// uncertainties u₁, u₂ are consistent at coverage factor k where |m₁ − m₂| ≤ k·u_c, with the
// combined uncertainty u_c = √(u₁² + u₂²).

// The column of a flight's list that holds the standard uncertainty of its parameter column, as
// a sounding product names it ("temp_uc" or "u_temp" for "T"), or -1. A raw flight states no
// uncertainty: its column is only ever the operator's pick.
int automaticUncertainty(const std::vector<std::string>& items, int parameter, const FlightIdentity& flight);

// u_c, or NaN where either uncertainty holds no value. A u_c of zero judges nothing either: no
// difference could be measured against it.
double combinedUncertainty(double u1, double u2);

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
