#include "flight/messages.h"

#include <charconv>

namespace {

struct CatalogueEntry {
  MessageId id;
  const char* form;
};

const std::vector<CatalogueEntry>& catalogue() {
  static const std::vector<CatalogueEntry> entries = {
#define FLIGHTCOMPARE_MESSAGE_ENTRY(id, form) {MessageId::id, form},
      FLIGHTCOMPARE_MESSAGES(FLIGHTCOMPARE_MESSAGE_ENTRY)
#undef FLIGHTCOMPARE_MESSAGE_ENTRY
  };
  return entries;
}

// A written message: "(" id, each part, ")"; a text "<" its length ":" its bytes.
void write(const Message& message, std::string& out) {
  if (message.id() == MessageId::Verbatim) {
    out += '<' + std::to_string(message.text().size()) + ':' + message.text();
    return;
  }
  out += '(' + std::to_string(static_cast<int>(message.id()));
  for (const Message& part : message.parts()) write(part, out);
  out += ')';
}

bool read(std::string_view& text, Message& message) {
  const auto number = [&text](auto& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
  };
  if (text.empty()) return false;
  const char kind = text.front();
  text.remove_prefix(1);
  if (kind == '<') {
    std::size_t length = 0;
    if (!number(length) || text.empty() || text.front() != ':' || text.size() - 1 < length) return false;
    message = Message(std::string(text.substr(1, length)));
    text.remove_prefix(1 + length);
    return true;
  }
  int id = 0;
  if (kind != '(' || !number(id) || id <= static_cast<int>(MessageId::Verbatim) ||
      id > static_cast<int>(catalogueIds().back()))
    return false;
  std::vector<Message> parts;
  while (!text.empty() && text.front() != ')') {
    Message part;
    if (!read(text, part)) return false;
    parts.push_back(std::move(part));
  }
  if (text.empty()) return false;
  text.remove_prefix(1);
  message = Message(static_cast<MessageId>(id), std::move(parts));
  return true;
}

}  // namespace

Message Message::firstLine() const {
  if (id_ == MessageId::Verbatim) return *this;
  if (id_ == MessageId::Lines) return parts_.empty() ? Message() : parts_.front().firstLine();
  std::vector<Message> parts;
  for (const Message& part : parts_) parts.push_back(part.firstLine());
  return Message(id_, std::move(parts));
}

bool Message::operator==(const Message& other) const {
  return id_ == other.id_ && text_ == other.text_ && parts_ == other.parts_;
}

std::string Message::english() const { return told(englishForm); }

const std::vector<MessageId>& catalogueIds() {
  static const std::vector<MessageId> ids = [] {
    std::vector<MessageId> all;
    for (const CatalogueEntry& entry : catalogue()) all.push_back(entry.id);
    return all;
  }();
  return ids;
}

const char* englishForm(MessageId id) {
  const int index = static_cast<int>(id) - static_cast<int>(MessageId::Lines) - 1;
  return index < 0 ? "" : catalogue()[static_cast<std::size_t>(index)].form;
}

std::string filledIn(std::string_view form, const std::vector<std::string>& parts) {
  std::string filled;
  for (std::size_t i = 0; i < form.size(); ++i) {
    const bool placeholder = form[i] == '%' && i + 1 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9' &&
                             static_cast<std::size_t>(form[i + 1] - '1') < parts.size();
    if (!placeholder) {
      filled += form[i];
      continue;
    }
    filled += parts[static_cast<std::size_t>(form[i + 1] - '1')];
    ++i;
  }
  return filled;
}

std::string written(const Message& message) {
  std::string out;
  write(message, out);
  return out;
}

Message readBack(std::string_view text) {
  std::string_view rest = text;
  Message message;
  if (read(rest, message) && rest.empty()) return message;
  return Message(std::string(text));
}
