#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A netCDF file in the 64-bit offset format (CDF-2), made in memory and given as its bytes.
//
// The program encodes the format itself rather than through libnetcdf: every product is read by
// libnetcdf in a child process forked for it, and the library's global state must never enter the
// program's own process. A first call here would load the user's .ncrc and the library's plugin
// paths, which every later child would inherit instead of starting clean, and the library is not
// made for threads while a campaign's workers fork their children. The classic formats hold no
// timestamps either (a netCDF-4 file carries HDF5's), so the same results give the same bytes.
//
// Only what the program writes: fixed dimensions (a length of 0 would make the unlimited one),
// variables of doubles, ints and chars, each written whole, attributes of text, doubles and ints.
// What the program says of a file that its data cannot: the CF attributes history (the date and
// what made the file) and source (the program and its version).
struct NetcdfProvenance {
  std::string history, source;
};

class ClassicNetcdf {
 public:
  static constexpr double kFillDouble = 9.9692099683868690e+36;  // NC_FILL_DOUBLE
  static constexpr int kFillInt = -2147483647;                   // NC_FILL_INT
  static constexpr int kGlobal = -1;

  int dimension(const std::string& name, std::size_t length);
  // Values in the dimensions' order, the last varying fastest; NaN becomes the fill value.
  int variable(const std::string& name, const std::vector<int>& dimensions, const std::vector<double>& values);
  int variable(const std::string& name, const std::vector<int>& dimensions, const std::vector<int>& values);
  int variable(const std::string& name, const std::vector<int>& dimensions, const std::string& chars);
  // Of a variable, or of the file with kGlobal.
  void attribute(int variable, const std::string& name, const std::string& text);
  void attribute(int variable, const std::string& name, const std::vector<double>& values);
  void attribute(int variable, const std::string& name, const std::vector<int>& values);
  // CF's long_name, and units unless none are known.
  void describe(int variable, const std::string& longName, const std::string& units);

  std::string bytes() const;

 private:
  struct Attribute {
    std::string name;
    int type;
    std::size_t count;
    std::string values;  // big-endian, unpadded
  };
  struct Variable {
    std::string name;
    std::vector<int> dimensions;
    std::vector<Attribute> attributes;
    int type;
    std::string values;
  };
  int add(Variable variable, std::size_t count);
  std::vector<Attribute>& attributesOf(int variable);

  std::vector<std::pair<std::string, std::size_t>> dimensions_;
  std::vector<Attribute> attributes_;
  std::vector<Variable> variables_;
};
