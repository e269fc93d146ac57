target_sources(vezdar_grids PRIVATE
  src/grids/GridStore.cpp
  src/grids/OldStoreConversion.cpp
  src/grids/AutoGrid.cpp
  src/grids/StoreBrowser.cpp
  src/grids/FormEditor.cpp
)
