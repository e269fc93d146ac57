# Each command lives in its own file and registers itself (see Command.h).
file(GLOB vezdar_cli_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/cli/*.cpp)
target_sources(vezdar-cli PRIVATE ${vezdar_cli_sources})
