target_sources(vezdar_core PRIVATE
  src/model/Grat.cpp
  src/model/Document.cpp
)
