target_sources(vezdar_core PRIVATE
  src/app/IniFile.cpp
  src/app/Config.cpp
  src/app/MsgBoxLayout.cpp
  src/app/SoundPlayer.cpp
)
