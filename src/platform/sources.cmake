target_sources(vezdar_core PRIVATE
  src/platform/Text.cpp
  src/platform/Files.cpp
  src/platform/Bmp.cpp
)
