# Sourced by the scripts: installs the Debian packages the project needs when any is missing.
# apt-get finds nothing on a fresh machine until its lists have been fetched once.

# qt6-translations-l10n: Qt's own texts in the user's language, which the window tests check too.
# libnetcdf-dev, libeccodes-dev: the readers of GRUAN products and BUFR soundings; netcdf-bin and
# libeccodes-tools: ncgen and bufr_filter, which the build uses to write the test products.
# libseccomp-dev: the rule that keeps a library's child process from opening other files.
# poppler-utils: pdftotext, with which the tests read the campaign report as its reader would.
# qt6-l10n-tools: lrelease, which compiles the program's own Russian translation.
# libfast-float-dev: the header-only exact conversion of the decimal fields the inline path leaves.
# strace: with which the tests see which files a library's child opens.
# python3-netcdf4: with which the tests open the NetCDF files the program writes as Python's users do.
# libqpdf-dev: joins the campaign report's pages, drawn as several documents at once, into one PDF.
# libdeflate-dev: deflates the lines the report draws over its pages of panels, fast.
build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n libqcustomplot-dev libgtest-dev
  libbenchmark-dev libnetcdf-dev libeccodes-dev netcdf-bin libeccodes-tools libseccomp-dev poppler-utils qt6-l10n-tools
  libfast-float-dev strace python3-netcdf4 libqpdf-dev libdeflate-dev)
window_packages=(fonts-wine)
sanitizer_packages=(clang libclang-rt-14-dev)
screenshot_packages=(xvfb xdotool x11-apps netpbm)
# What the benchmarks measure the program against: pandas, R's data.table, and Node.js for DuckDB's
# engine, which comes from the npm registry (bench/peers).
baseline_packages=(python3-pandas r-cran-data.table nodejs)

ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds the Release tree under build/; extra arguments go to cmake's configure step.
build_release() {
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$root/build" -j "$(nproc)"
}

# The same sources built by clang with AddressSanitizer and UndefinedBehaviorSanitizer, with the
# fuzz targets, under build-sanitize/. Only what the sanitized tests and the fuzzers run.
build_sanitized() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFLIGHTCOMPARE_SANITIZE=ON -DFLIGHTCOMPARE_FUZZ=ON -DFLIGHTCOMPARE_BENCH=OFF >/dev/null
  cmake --build "$root/build-sanitize" -j "$(nproc)" --target flight_tests raw_tests reference_tests reader_tests compare_tests campaign_tests workspace_tests cli_tests flightcompare \
    flightgen reader_fuzzer scanner_fuzzer reader_findings scanner_findings
}
