# One interface target carries the compiler settings of every target of the project.
add_library(pastillero_compile_options INTERFACE)
target_compile_options(pastillero_compile_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Wcast-qual -Wformat=2
  $<$<BOOL:$ENV{CI}>:-Werror>)
target_compile_definitions(pastillero_compile_options INTERFACE
  QT_NO_FOREACH
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  PASTILLERO_VERSION="${PROJECT_VERSION}"
  PASTILLERO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  PASTILLERO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  PASTILLERO_VERSION_PATCH=${PROJECT_VERSION_PATCH}
  PASTILLERO_VERSION_BUILD=${PROJECT_VERSION_TWEAK})
