target_sources(vezdar_grids_ui PRIVATE
  src/grids/ui/StoreBrowserWindow.cpp
  src/grids/ui/DuplicatesDialog.cpp
  src/grids/ui/GridEditorWindow.cpp
)
