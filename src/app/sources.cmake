target_sources(vezdar_core PRIVATE
  src/app/IniFile.cpp
  src/app/Config.cpp
  src/app/MsgBoxLayout.cpp
  src/app/SoundPlayer.cpp
  src/app/Splash.cpp
  src/app/Startup.cpp
  src/app/MainLogic.cpp
)
