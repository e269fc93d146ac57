target_sources(vezdar_core PRIVATE
  src/grids/AutoGrid.cpp
)
