target_sources(vezdar_core PRIVATE
  src/grids/GridStore.cpp
  src/grids/OldStoreConversion.cpp
  src/grids/AutoGrid.cpp
  src/grids/StoreBrowser.cpp
  src/grids/FormEditor.cpp
  src/grids/DefaultStore.cpp
)
