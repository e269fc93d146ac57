target_sources(vezdar_ui PRIVATE
  src/compose/ui/TfrmMake.cpp
)
