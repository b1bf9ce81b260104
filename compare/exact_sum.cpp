#include "compare/exact_sum.h"

void ExactSum::addPart(long double value) {
  long double carry = value;
  std::size_t kept = 0;
  for (const long double part : parts_) {
    // Knuth's two-sum: high + low is exactly carry + part.
    const long double high = carry + part;
    const long double partBack = high - carry;
    const long double low = (carry - (high - partBack)) + (part - partBack);
    if (low != 0) parts_[kept++] = low;
    carry = high;
  }
  parts_.resize(kept);
  if (carry != 0) parts_.push_back(carry);
}

long double ExactSum::value() const {
  long double sum = 0;
  for (const long double part : parts_) sum += part;
  return sum;
}

void ExactSum::add(const ExactSum& other) {
  for (const long double part : other.parts_) addPart(part);
}
