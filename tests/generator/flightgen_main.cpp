// Writes one synthetic raw flight file:
//   flightgen LAYOUT FILE [--rows N] [--descent N] [--extra N] [--comma] [--utf8] [--km] [--pages N]
//             [--bias C] [--noise C] [--seed N] [--launch SECONDS] [--rs41-storage]
//             [--rs92] [--serial TEXT] [--event TEXT] [--clock-start S] [--height-offset M]
//             [--height-noise M] [--ascent-swing M]
// LAYOUT is tab, sct, int, vre, indented-t, indented-h or shifr, or a table of named columns:
// table (a sounding system's export), receiver-log or blank-table; gruan-cdl and bufr-rules write the
// text of a reference product instead (ncgen -b FILE; bufr_filter -o OUT FILE BUFR4.tmpl). A
// product as big as a real RS41 one: gruan-cdl --rows 5667 --extra 174 --rs41-storage, then
// ncgen -k nc4; --rs92 states an RS92 product's metadata instead of an RS41 one's.
//   flightgen bulletin FILE [--sequence N] [--closed] HEADING MESSAGE [HEADING MESSAGE]...
// writes each message (a BUFR file) as a WMO bulletin of its own under its heading, the sequence
// number counting up from N, closed by NNNN and end of text.
#include "tests/generator/flight_generator.h"
#include "tests/generator/reference_products.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int writeBulletins(int argc, char* argv[]) {
  const auto usage = [] {
    std::fprintf(stderr, "usage: flightgen bulletin FILE [--sequence N] [--closed] HEADING MESSAGE...\n");
    return 2;
  };
  int sequence = 0;
  bool closed = false;
  int i = 3;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    if (std::strcmp(argv[i], "--closed") == 0) closed = true;
    else if (std::strcmp(argv[i], "--sequence") == 0 && i + 1 < argc) sequence = std::atoi(argv[++i]);
    else return usage();
  }
  if (i >= argc || (argc - i) % 2 != 0) return usage();
  std::string bulletins;
  for (; i < argc; i += 2) {
    std::ifstream file(argv[i + 1], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "flightgen: cannot read %s\n", argv[i + 1]);
      return 1;
    }
    const std::string message((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    bulletins += wmoBulletin(argv[i], message, sequence > 0 ? std::to_string(sequence++) : std::string(), closed);
  }
  std::ofstream(argv[2], std::ios::binary) << bulletins;
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: flightgen LAYOUT FILE [--rows N] [--descent N] [--extra N] "
                         "[--comma] [--utf8] [--km] [--pages N] [--bias C] [--noise C] [--seed N] [--launch SECONDS] [--rs41-storage] "
                         "[--rs92] [--serial TEXT] [--event TEXT] [--clock-start S] [--height-offset M] "
                         "[--height-noise M] [--ascent-swing M]\n");
    return 2;
  }
  if (std::strcmp(argv[1], "bulletin") == 0) return writeBulletins(argc, argv);
  FlightRecipe recipe;
  const std::string layout = argv[1];
  const bool reference = layout == "gruan-cdl" || layout == "bufr-rules";
  bool known = reference;
  for (Layout layout : {Layout::Tab, Layout::Sct, Layout::Int, Layout::Vre, Layout::IndentedT,
                        Layout::IndentedH, Layout::Shifr, Layout::Table}) {
    if (std::strcmp(argv[1], layoutName(layout)) == 0) {
      recipe.layout = layout;
      known = true;
    }
  }
  for (const auto& [name, kind] : {std::pair{"receiver-log", TableKind::Receiver}, std::pair{"blank-table", TableKind::Blanks}}) {
    if (layout != name) continue;
    recipe.layout = Layout::Table;
    recipe.table = kind;
    known = true;
  }
  if (!known) {
    std::fprintf(stderr, "flightgen: unknown layout %s\n", argv[1]);
    return 2;
  }
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    const auto count = [&] { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
    const auto number = [&] { return i + 1 < argc ? std::atof(argv[++i]) : 0; };
    if (option == "--rows") recipe.rows = count();
    else if (option == "--descent") recipe.descentRows = count();
    else if (option == "--extra") recipe.extraColumns = count();
    else if (option == "--pages") recipe.pageEvery = count();
    else if (option == "--seed") recipe.seed = count();
    else if (option == "--bias") recipe.bias = number();
    else if (option == "--noise") recipe.noise = number();
    else if (option == "--clock-start") recipe.clockStart = number();
    else if (option == "--height-offset") recipe.heightOffset = number();
    else if (option == "--height-noise") recipe.heightNoise = number();
    else if (option == "--ascent-swing") recipe.ascentSwing = number();
    else if (option == "--launch") recipe.launch = i + 1 < argc ? std::atoll(argv[++i]) : 0;
    else if (option == "--comma") recipe.decimal = ',';
    else if (option == "--utf8") recipe.cp1251 = false;
    else if (option == "--km") recipe.shifrInMetres = false;
    else if (option == "--rs41-storage") recipe.rs41Storage = true;
    else if (option == "--rs92") recipe.product = FlightRecipe::Product::Rs92;
    else if (option == "--serial" && i + 1 < argc) recipe.serial = argv[++i];
    else if (option == "--event" && i + 1 < argc) recipe.event = argv[++i];
    else {
      std::fprintf(stderr, "flightgen: unknown option %s\n", option.c_str());
      return 2;
    }
  }
  if (reference) std::ofstream(argv[2], std::ios::binary) << (layout == "gruan-cdl" ? gruanProductCdl(recipe) : bufrTempRules(recipe));
  else writeFlight(argv[2], recipe);
  return 0;
}
