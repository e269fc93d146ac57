target_sources(vezdar_core PRIVATE
  src/app/MsgBoxLayout.cpp
  src/app/SoundPlayer.cpp
)
