target_sources(vezdar_compose_ui PRIVATE
  src/compose/ui/ComposeWindow.cpp
)
