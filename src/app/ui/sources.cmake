target_sources(vezdar_ui PRIVATE
  src/app/ui/MainWindow.cpp
  src/app/ui/AppWindows.cpp
)
