# Libraries from Debian that do what a well-kept library does: bar codes, spreadsheets,
# password hashes, FTP. Imported as plain targets so each layer links only what it uses.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)

find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
add_library(zint::zint UNKNOWN IMPORTED)
set_target_properties(zint::zint PROPERTIES
  IMPORTED_LOCATION "${ZINT_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${ZINT_INCLUDE_DIR}")
