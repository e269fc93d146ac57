target_sources(vezdar_settings PRIVATE
  src/settings/IniFile.cpp
  src/settings/Config.cpp
)
