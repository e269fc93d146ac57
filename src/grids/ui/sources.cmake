target_sources(vezdar_ui PRIVATE
  src/grids/ui/TfrmFormResh.cpp
)
