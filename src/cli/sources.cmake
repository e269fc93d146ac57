# Each command lives in its own file (*Command.cpp) and registers itself at start-up (see Command.h),
# so the commands are linked into the program directly; the helpers they share are a library.
target_sources(vezdar_cli_lib PRIVATE
  src/cli/ComposeLibrary.cpp
  src/cli/ConsoleDialogs.cpp
  src/cli/DefaultStore.cpp
  src/cli/FillRun.cpp
  src/cli/GridSource.cpp
)
file(GLOB vezdar_cli_commands CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/cli/*Command.cpp)
target_sources(vezdar-cli PRIVATE src/cli/main.cpp ${vezdar_cli_commands})
