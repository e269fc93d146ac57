# One interface target carries the language standard, warnings and defines for every target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_library(vezdar_options INTERFACE)
target_compile_options(vezdar_options INTERFACE -Wall -Wextra -Wpedantic)
# No silent conversions between char* and QString: every Russian text crosses the encoding edge
# explicitly.
# QT_NO_KEYWORDS: core structs have members named `slots`, which Qt's keyword macros would rewrite.
target_compile_definitions(vezdar_options INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS)
if(VEZDAR_TSAN)
  target_compile_options(vezdar_options INTERFACE -fsanitize=thread -g -O1)
  target_link_options(vezdar_options INTERFACE -fsanitize=thread)
endif()
