target_sources(vezdar-cli PRIVATE
  src/cli/main.cpp
)
