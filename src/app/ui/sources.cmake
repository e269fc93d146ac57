target_sources(vezdar_ui PRIVATE
  src/app/ui/TfrmMsgBox.cpp
  src/app/ui/TfrmMain.cpp
  src/app/ui/AppWindows.cpp
)
