#include "flight/later_columns.h"

#include <algorithm>

void LaterColumns::clear() {
  unread_.clear();
  read_ = nullptr;
}

void LaterColumns::leave(std::vector<bool> unread, Read read) {
  unread_ = std::move(unread);
  read_ = std::move(read);
}

std::vector<int> LaterColumns::unread(const std::vector<int>& columns) const {
  std::vector<int> wanted;
  for (int column : columns)
    if (column >= 0 && column < static_cast<int>(unread_.size()) && unread_[column] &&
        std::find(wanted.begin(), wanted.end(), column) == wanted.end())
      wanted.push_back(column);
  return wanted;
}

void LaterColumns::read(const std::vector<int>& columns, FlightTable& table) const {
  if (!columns.empty()) read_(columns, table);
}

void LaterColumns::markRead(const std::vector<int>& columns) {
  for (int column : columns)
    if (column >= 0 && column < static_cast<int>(unread_.size())) unread_[column] = false;
}

void LaterColumns::fill(const std::vector<int>& columns, FlightTable& table) {
  const std::vector<int> wanted = unread(columns);
  read(wanted, table);
  markRead(wanted);
}
