target_sources(vezdar_model PRIVATE
  src/model/Grat.cpp
  src/model/Document.cpp
)
