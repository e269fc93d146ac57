target_sources(vezdar_platform PRIVATE
  src/platform/Text.cpp
  src/platform/Files.cpp
  src/platform/Bmp.cpp
)
target_sources(vezdar_platform PRIVATE
  src/platform/MsgBoxLayout.cpp
  src/platform/SoundPlayer.cpp
)
