#include "compare/classic_netcdf.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

// The tags and type codes the classic formats write before dimensions, variables and attributes.
constexpr std::uint32_t kTagDimension = 0x0A, kTagVariable = 0x0B, kTagAttribute = 0x0C;
constexpr int kChar = 2, kInt = 4, kDouble = 6;

std::size_t padded(std::size_t size) { return (size + 3) / 4 * 4; }

void put32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift & 0xFF);
}

void put64(std::string& out, std::uint64_t value) {
  for (int shift = 56; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift & 0xFF);
}

void putDouble(std::string& out, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  put64(out, bits);
}

void pad(std::string& out) { out.resize(padded(out.size()), '\0'); }

void putName(std::string& out, const std::string& name) {
  put32(out, static_cast<std::uint32_t>(name.size()));
  out += name;
  pad(out);
}

template <typename Item, typename Put>
void putList(std::string& out, std::uint32_t tag, const std::vector<Item>& items, Put put) {
  put32(out, items.empty() ? 0 : tag);  // an absent list is two zeros
  put32(out, static_cast<std::uint32_t>(items.size()));
  for (const Item& item : items) put(item);
}

// The sizes the format counts in 32 bits.
std::uint32_t count32(std::size_t count) {
  if (count > 0xFFFFFFFCu) throw std::length_error("too large for a classic netCDF file");
  return static_cast<std::uint32_t>(count);
}

}  // namespace

int ClassicNetcdf::dimension(const std::string& name, std::size_t length) {
  if (length == 0) throw std::invalid_argument("a fixed netCDF dimension has a length");
  count32(length);
  dimensions_.emplace_back(name, length);
  return static_cast<int>(dimensions_.size()) - 1;
}

int ClassicNetcdf::add(Variable variable, std::size_t count) {
  std::size_t expected = 1;
  for (const int dimension : variable.dimensions) expected *= dimensions_.at(dimension).second;
  if (count != expected) throw std::invalid_argument("values do not fill the variable " + variable.name);
  variables_.push_back(std::move(variable));
  return static_cast<int>(variables_.size()) - 1;
}

int ClassicNetcdf::variable(const std::string& name, const std::vector<int>& dimensions,
                            const std::vector<double>& values) {
  std::string bytes;
  for (const double value : values) putDouble(bytes, std::isnan(value) ? kFillDouble : value);
  return add({name, dimensions, {}, kDouble, std::move(bytes)}, values.size());
}

int ClassicNetcdf::variable(const std::string& name, const std::vector<int>& dimensions, const std::vector<int>& values) {
  std::string bytes;
  for (const int value : values) put32(bytes, static_cast<std::uint32_t>(value));
  return add({name, dimensions, {}, kInt, std::move(bytes)}, values.size());
}

int ClassicNetcdf::variable(const std::string& name, const std::vector<int>& dimensions, const std::string& chars) {
  return add({name, dimensions, {}, kChar, chars}, chars.size());
}

std::vector<ClassicNetcdf::Attribute>& ClassicNetcdf::attributesOf(int variable) {
  return variable == kGlobal ? attributes_ : variables_.at(variable).attributes;
}

void ClassicNetcdf::attribute(int variable, const std::string& name, const std::string& text) {
  attributesOf(variable).push_back({name, kChar, text.size(), text});
}

void ClassicNetcdf::describe(int variable, const std::string& longName, const std::string& units) {
  attribute(variable, "long_name", longName);
  if (!units.empty()) attribute(variable, "units", units);
}

void ClassicNetcdf::attribute(int variable, const std::string& name, const std::vector<double>& values) {
  std::string bytes;
  for (const double value : values) putDouble(bytes, value);
  attributesOf(variable).push_back({name, kDouble, values.size(), std::move(bytes)});
}

void ClassicNetcdf::attribute(int variable, const std::string& name, const std::vector<int>& values) {
  std::string bytes;
  for (const int value : values) put32(bytes, static_cast<std::uint32_t>(value));
  attributesOf(variable).push_back({name, kInt, values.size(), std::move(bytes)});
}

std::string ClassicNetcdf::bytes() const {
  const auto putAttributes = [](std::string& out, const std::vector<Attribute>& attributes) {
    putList(out, kTagAttribute, attributes, [&out](const Attribute& attribute) {
      putName(out, attribute.name);
      put32(out, static_cast<std::uint32_t>(attribute.type));
      put32(out, count32(attribute.count));
      out += attribute.values;
      pad(out);
    });
  };
  // The header with every variable's offset, which depends on the header's own size: written
  // once to measure it (the offsets are of fixed width), then again with the offsets.
  const auto header = [&](std::uint64_t dataStart) {
    std::string out = std::string("CDF\x02", 4);
    put32(out, 0);  // records: no dimension is unlimited
    putList(out, kTagDimension, dimensions_, [&out](const std::pair<std::string, std::size_t>& dimension) {
      putName(out, dimension.first);
      put32(out, count32(dimension.second));
    });
    putAttributes(out, attributes_);
    std::uint64_t begin = dataStart;
    putList(out, kTagVariable, variables_, [&](const Variable& variable) {
      putName(out, variable.name);
      put32(out, static_cast<std::uint32_t>(variable.dimensions.size()));
      for (const int dimension : variable.dimensions) put32(out, static_cast<std::uint32_t>(dimension));
      putAttributes(out, variable.attributes);
      put32(out, static_cast<std::uint32_t>(variable.type));
      put32(out, count32(padded(variable.values.size())));
      put64(out, begin);
      begin += padded(variable.values.size());
    });
    return out;
  };
  std::string file = header(header(0).size());
  for (const Variable& variable : variables_) {
    file += variable.values;
    pad(file);
  }
  return file;
}
