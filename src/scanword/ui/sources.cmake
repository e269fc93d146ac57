target_sources(vezdar_ui PRIVATE
  src/scanword/ui/PainterCanvas.cpp
  src/scanword/ui/TfrmScan.cpp
  src/scanword/ui/TfrmSetOper.cpp
)
