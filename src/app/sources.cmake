target_sources(vezdar_core PRIVATE
  src/app/IniFile.cpp
  src/app/Config.cpp
)
