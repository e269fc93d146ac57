target_sources(vezdar_qt PRIVATE
  src/platform/qt/QtText.cpp
  src/platform/qt/QtSounds.cpp
  src/platform/qt/QtClipboard.cpp
  src/platform/qt/QtBusy.cpp
)
