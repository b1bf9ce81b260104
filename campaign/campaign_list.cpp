#include "campaign/campaign_list.h"

#include "flight/flight_error.h"
#include "raw/text_encoding.h"
#include "raw/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string_view>

namespace {

[[noreturn]] void cannotRead(const std::string& listFile, const std::string& reason) {
  throw FlightError(Message(MessageId::CannotReadList, {listFile, reason}));
}

// The whole list as it lies on the disc. Only a regular file is read: a FIFO or a device would
// keep the campaign waiting.
std::string listBytes(const std::string& listFile) {
  const int descriptor = ::open(listFile.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) cannotRead(listFile, errno == ENOENT ? "there is no such file" : std::strerror(errno));
  struct stat status {};
  const bool known = ::fstat(descriptor, &status) == 0;
  const int error = errno;
  std::string bytes;
  ssize_t got = 0;
  if (known && S_ISREG(status.st_mode)) {
    char chunk[1 << 16];
    while ((got = ::read(descriptor, chunk, sizeof chunk)) != 0) {
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) break;
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
  }
  const int readError = errno;
  ::close(descriptor);
  if (!known) cannotRead(listFile, std::strerror(error));
  if (S_ISDIR(status.st_mode)) cannotRead(listFile, "it is a folder");
  if (!S_ISREG(status.st_mode)) cannotRead(listFile, "it is not a regular file");
  if (got < 0) cannotRead(listFile, std::strerror(readError));
  return bytes;
}

// The fields of one CSV line; false when a quote is left open.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields) {
  fields.assign(1, {});
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return !quoted;
}

bool isSkipped(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos || startsWith(line, "#");
}

std::string inFolder(const std::string& folder, const std::string& name) {
  if (name.empty()) return name;
  return (std::filesystem::path(folder) / name).string();
}

bool isUtf8(std::string_view bytes) {
  return validUtf8Prefix(bytes.data(), bytes.data() + bytes.size()) == bytes.data() + bytes.size();
}

// Names as text: UTF-8 as they are, otherwise read as Windows-1251, as flight files are.
std::string asText(const std::string& bytes, bool utf8) {
  if (utf8) return bytes;
  std::string text;
  appendWindows1251AsUtf8(text, bytes);
  return text;
}

// The files by their bytes, shown as text.
CampaignPair namedPair(const std::string& folder, const std::string& file1, const std::string& file2,
                       std::string group, bool utf8Name1, bool utf8Name2) {
  return {asText(file1, utf8Name1), asText(file2, utf8Name2), inFolder(folder, file1), inFolder(folder, file2),
          std::move(group)};
}

// The list's lines: CR, LF and CR LF each end one.
class ListLines {
 public:
  explicit ListLines(std::string_view text) : text_(text) {}

  bool next(std::string_view& line) {
    if (next_ >= text_.size()) return false;
    const std::size_t end = std::min(text_.find_first_of("\r\n", next_), text_.size());
    line = text_.substr(next_, end - next_);
    next_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t next_ = 0;
  int number_ = 0;
};

}  // namespace

CampaignPair::CampaignPair(std::string name1, std::string name2, std::string path1, std::string path2, std::string group)
    : names{std::move(name1), std::move(name2)}, paths{std::move(path1), std::move(path2)}, group(std::move(group)) {
  for (int slot = 0; slot < 2; ++slot)
    if (paths[slot] == names[slot]) std::string().swap(paths[slot]);
}

CampaignPair pairInFolder(const std::string& folder, std::string flight1, std::string flight2, std::string group) {
  return namedPair(folder, flight1, flight2, std::move(group), isUtf8(flight1), isUtf8(flight2));
}

std::vector<CampaignPair> readCampaignList(const std::string& listFile) {
  const std::string bytes = listBytes(listFile);
  std::string_view text = bytes;
  if (startsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
  // Decided for the whole list, as for a flight file.
  const bool utf8 = isUtf8(text);
  const std::string folder = std::filesystem::path(listFile).parent_path().string();
  ListLines lines(text);
  const auto fail = [&](const Message& message) {
    throw FlightError(message, Message(MessageId::ListLine, {listFile, std::to_string(lines.number())}));
  };
  std::vector<CampaignPair> pairs;
  std::vector<std::string> fields;
  std::size_t columns = 0;
  for (std::string_view line; lines.next(line);) {
    if (line.size() >= kLongestLine) fail(Message(MessageId::ListLineTooLong, {std::to_string(kLongestLine >> 20)}));
    if (isSkipped(line)) continue;
    if (!splitCsvLine(line, fields)) fail(MessageId::ListQuoteOpen);
    if (columns == 0) {
      const bool header = (fields.size() == 2 || fields.size() == 3) && fields[0] == "flight1" &&
                          fields[1] == "flight2" && (fields.size() == 2 || fields[2] == "group");
      if (!header) fail(MessageId::ListHeader);
      columns = fields.size();
      continue;
    }
    if (fields.size() != columns)
      fail(Message(MessageId::ListFieldCount, {std::to_string(columns)}));
    if (line.find('\0') != std::string_view::npos) fail(MessageId::ListNulByte);
    std::string group = columns == 3 ? asText(fields[2], utf8) : std::string();
    if (group.size() > kLongestGroup)
      fail(Message(MessageId::ListGroupTooLong, {std::to_string(kLongestGroup)}));
    pairs.push_back(namedPair(folder, fields[0], fields[1], std::move(group), utf8, utf8));
    pairs.back().line = lines.number();
  }
  if (columns == 0) fail(MessageId::ListHeader);
  if (pairs.empty()) throw FlightError(MessageId::ListNamesNoPair, Message(MessageId::ListNamed, {listFile}));
  return pairs;
}

std::vector<Message> repeatedPairs(const std::vector<CampaignPair>& pairs) {
  std::vector<Message> reasons(pairs.size(), Message());
  std::map<std::pair<std::string, std::string>, std::size_t> first;
  const auto normal = [](const std::string& path) { return std::filesystem::path(path).lexically_normal().string(); };
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const std::string one = normal(pairs[i].path(1)), two = normal(pairs[i].path(2));
    const auto [found, isNew] = first.emplace(std::minmax(one, two), i);
    if (isNew) continue;
    const CampaignPair& earlier = pairs[found->second];
    reasons[i] = earlier.line > 0 ? Message(MessageId::SamePairAsLine, {std::to_string(earlier.line)})
                                  : Message(MessageId::SamePairAsPair, {std::to_string(found->second + 1)});
  }
  return reasons;
}
