target_sources(vezdar_qt PRIVATE
  src/platform/qt/QtText.cpp
)
