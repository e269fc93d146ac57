target_sources(vezdar_scanword_ui PRIVATE
  src/scanword/ui/PainterCanvas.cpp
  src/scanword/ui/ScanBuilderWindow.cpp
  src/scanword/ui/ScanOptionsDialog.cpp
)
