target_sources(vezdar_core PRIVATE
  src/model/Grat.cpp
)
