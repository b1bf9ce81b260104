#include "intake/later_columns.h"

#include <algorithm>

void LaterColumns::clear() {
  unread_.clear();
  read_ = nullptr;
}

void LaterColumns::leave(std::vector<bool> unread, Read read) {
  unread_ = std::move(unread);
  read_ = std::move(read);
}

void LaterColumns::fill(const std::vector<int>& columns) {
  std::vector<int> wanted;
  for (int column : columns)
    if (column >= 0 && column < static_cast<int>(unread_.size()) && unread_[column] &&
        std::find(wanted.begin(), wanted.end(), column) == wanted.end())
      wanted.push_back(column);
  if (wanted.empty()) return;
  read_(wanted);
  for (int column : wanted) unread_[column] = false;
}
