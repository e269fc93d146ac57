target_sources(vezdar_ui PRIVATE
  src/grids/ui/TfrmResh.cpp
  src/grids/ui/TfrmCheck.cpp
  src/grids/ui/TfrmFormResh.cpp
)
